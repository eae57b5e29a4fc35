// Paths, folded as the file system compares them, looked up by what lies at,
// above or below a path: "Data\Art" holds "Data\Art\a.tga" but not
// "Data\Artwork" or "Data\Art.original", which sort between the two.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "launch/targets/launch_rules.h"

namespace corvane {

template <typename Value>
class PathIndex {
public:
    void Add(const std::string& szPath, Value value) { entries.emplace(FoldPath(szPath), std::move(value)); }
    bool Empty() const { return entries.empty(); }

    // Anything at the path or in a folder that holds it.
    bool AtOrAbove(const std::string& szPath) const {
        for (std::string szAt = FoldPath(szPath); !szAt.empty(); szAt = ParentOf(szAt))
            if (entries.count(szAt)) return true;
        return false;
    }
    // Anything at the path or inside it.
    bool AtOrBelow(const std::string& szPath) const { return !ValuesAtOrBelow(szPath).empty(); }
    bool Near(const std::string& szPath) const { return AtOrAbove(szPath) || AtOrBelow(szPath); }

    std::vector<Value> ValuesAtOrBelow(const std::string& szPath) const {
        std::vector<Value> found;
        const std::string szKey = FoldPath(szPath), szBelow = szKey + "\\";
        for (auto [it, end] = entries.equal_range(szKey); it != end; ++it) found.push_back(it->second);
        for (auto it = entries.lower_bound(szBelow); it != entries.end() && it->first.compare(0, szBelow.size(), szBelow) == 0; ++it)
            found.push_back(it->second);
        return found;
    }

private:
    std::multimap<std::string, Value> entries;
};

}  // namespace corvane
