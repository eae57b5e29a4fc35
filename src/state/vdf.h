// Valve's KeyValues text, the form of Steam's libraryfolders.vdf and
// appmanifest_<id>.acf: "key" "value" pairs and "key" { ... } blocks, texts
// in double quotes with backslash escapes ("C:\\Games"), // comments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct VdfEntry {
    std::string szKey;
    std::string szValue;             // a pair's value
    std::vector<VdfEntry> children;  // a block's entries, in file order
    bool bBlock = false;

    // The first entry of the block with that key, letter case aside; nullptr
    // when there is none.
    const VdfEntry* Find(std::string_view szName) const;
    // That entry's value; "" when there is none or it is a block.
    std::string ValueOf(std::string_view szName) const;
};

// Keys, and Steam's paths, are compared without regard to ASCII letter case.
bool SameLetters(std::string_view a, std::string_view b);

// The text's top-level entries as one block. Damaged text (an unclosed
// quote or block, a stray brace, nesting deeper than any Steam file) gives
// an empty block.
VdfEntry ReadVdf(std::string_view szText);

}  // namespace corvane
