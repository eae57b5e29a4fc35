#include "state/ascii_case.h"

namespace corvane {

std::string LowerAscii(std::string szText) {
    for (char& c : szText) c = LowerAscii(c);
    return szText;
}

std::string UpperAscii(std::string szText) {
    for (char& c : szText) c = UpperAscii(c);
    return szText;
}

bool SameIgnoringAsciiCase(const std::string& szOne, const std::string& szOther) {
    return szOne.size() == szOther.size() && StartsIgnoringAsciiCase(szOne, szOther);
}

bool StartsIgnoringAsciiCase(const std::string& szText, const std::string& szPrefix) {
    if (szText.size() < szPrefix.size()) return false;
    for (size_t i = 0; i < szPrefix.size(); ++i)
        if (LowerAscii(szText[i]) != LowerAscii(szPrefix[i])) return false;
    return true;
}

}  // namespace corvane
