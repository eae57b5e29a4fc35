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

StandInReport Parse(const std::string& szContent) {
    StandInReport report;
    std::istringstream lines(szContent);
    std::string szLine;
    while (std::getline(lines, szLine)) {
        if (!szLine.empty() && szLine.back() == '\r') szLine.pop_back();
        const size_t lEquals = szLine.find('='), lBar = szLine.find('|', lEquals);
        const std::string szKey = szLine.substr(0, lEquals), szValue = szLine.substr(lEquals + 1);
        if (szKey == "commandline") report.szCommandLine = szValue;
        if (szKey == "cwd") report.szCurrentFolder = szValue;
        if (szKey == "gamefolder") report.szGameFolder = szValue;
        if (szKey == "item") report.gameFolder[szLine.substr(lEquals + 1, lBar - lEquals - 1)] = FromHex(szLine.substr(lBar + 1));
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
