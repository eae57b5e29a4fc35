#include "launch/targets/resolved_paths.h"

#include <exception>

#include "launch/targets/launch_rules.h"

namespace corvane {

std::string ResolvedOrWritten(FileSystem& files, const std::string& szPath) {
    try {
        return files.ResolvedPath(szPath);
    } catch (const std::exception&) {
        return szPath;
    }
}

// Only a plain path below a folder below its root is joined to its
// parent's: a root, and a path with a trailing backslash, resolve on their
// own. The parent's resolution loses a trailing backslash, as the system's
// does before it joins the rest on.
const std::string& ResolvedPaths::Of(const std::string& szPath) {
    if (const auto it = resolved.find(szPath); it != resolved.end()) return it->second;
    const std::string szParent = ParentOf(szPath);
    std::string szResolved;
    if (!szPath.empty() && szPath.back() != '\\' && IsBelowRoot(szParent) && Look(szPath) == false) {
        szResolved = Of(szParent);
        if (!szResolved.empty() && szResolved.back() == '\\') szResolved.pop_back();
        szResolved += szPath.substr(szParent.size());
    } else {
        szResolved = ResolvedOrWritten(files, szPath);
    }
    return resolved.emplace(szPath, std::move(szResolved)).first->second;
}

bool ResolvedPaths::IsThere(const std::string& szPath) { return Look(szPath).value_or(false); }

std::optional<bool> ResolvedPaths::Look(const std::string& szPath) {
    if (const auto it = there.find(szPath); it != there.end()) return it->second;
    std::optional<bool> bThere;
    try {
        bThere = files.Stat(szPath).has_value();
    } catch (const std::exception&) {
    }
    return there.emplace(szPath, bThere).first->second;
}

}  // namespace corvane
