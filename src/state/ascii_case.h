// Letter case as Windows folds it for the names this program compares: the
// ASCII letters only. Letters of the code page beyond ASCII are left as they
// are; where that matters the caller says how it errs.
#pragma once

#include <string>

namespace corvane {

constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Orders as the folded bytes, unsigned, so that names beyond ASCII sort after.
constexpr bool LessIgnoringAsciiCase(char a, char b) {
    return static_cast<unsigned char>(LowerAscii(a)) < static_cast<unsigned char>(LowerAscii(b));
}

std::string LowerAscii(std::string szText);
std::string UpperAscii(std::string szText);
bool SameIgnoringAsciiCase(const std::string& szOne, const std::string& szOther);
bool StartsIgnoringAsciiCase(const std::string& szText, const std::string& szPrefix);

}  // namespace corvane
