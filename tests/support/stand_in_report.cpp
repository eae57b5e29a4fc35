#include "support/stand_in_report.h"

#include <sstream>
#include <stdexcept>

#include "platform/win32.h"

namespace corvane::test {

namespace {

std::string FromHex(const std::string& szHex) {
    std::string szBytes;
    for (size_t i = 0; i + 1 < szHex.size(); i += 2)
        szBytes += static_cast<char>(std::stoi(szHex.substr(i, 2), nullptr, 16));
    return szBytes;
}

bool StartsWith(const std::string& szText, const std::string& szPrefix) {
    return szText.compare(0, szPrefix.size(), szPrefix) == 0;
}

StandInReport Parse(const std::string& szContent) {
    StandInReport report;
    std::istringstream lines(szContent);
    std::string szLine;
    while (std::getline(lines, szLine)) {
        if (!szLine.empty() && szLine.back() == '\r') szLine.pop_back();
        if (StartsWith(szLine, "commandline=")) {
            report.szCommandLine = szLine.substr(12);
        } else if (StartsWith(szLine, "cwd=")) {
            report.szCurrentFolder = szLine.substr(4);
        } else if (StartsWith(szLine, "gamefolder=")) {
            report.szGameFolder = szLine.substr(11);
        } else if (StartsWith(szLine, "item=")) {
            const size_t lBar = szLine.find('|');
            report.gameFolder[szLine.substr(5, lBar - 5)] = FromHex(szLine.substr(lBar + 1));
        }
    }
    return report;
}

}  // namespace

StandInReport WaitForStandInReport(const std::string& szPath, unsigned lTimeoutMs) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    while (GetTickCount64() < lDeadline) {
        if (Present(szPath)) return Parse(ReadBytes(szPath));
        Sleep(20);
    }
    throw std::runtime_error("the stand-in game wrote no report to " + szPath);
}

}  // namespace corvane::test
