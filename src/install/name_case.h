// Letter case in file names as Windows folds it: each UTF-16 unit of a name
// is compared in upper case, by Unicode's simple one-to-one mapping, so that
// "Ａ" and "ａ", "Ά" and "ά", "Ǆ", "ǅ" and "ǆ" name one file. Letters beyond
// the Basic Multilingual Plane are left as they are, as Windows leaves them.
#pragma once

#include <cstddef>
#include <string>

namespace corvane {

// The UTF-8 name with every letter in the case Windows compares names in.
std::string FoldName(const std::string& szName);

// Appends the code point in UTF-8.
void AppendUtf8(std::string& szOut, char32_t lCode);

// How many UTF-16 units Windows needs for the UTF-8 text.
size_t Utf16Length(const std::string& szText);

}  // namespace corvane
