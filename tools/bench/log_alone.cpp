#include "log_alone.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "platform/win32.h"
#include "ui/log_list.h"
#include "ui/message_loop.h"
#include "ui/window.h"
#include "window_prober.h"

namespace corvane::bench {

namespace {

// About what the launch window shows at once while a folder mod copies.
constexpr size_t kBatch = 500;

class LogHost : public ui::Window {
public:
    LogHost() {
        CreateForm({"CorvaneBenchLog", "Log alone", WS_OVERLAPPED | WS_CAPTION, 0, 8655, 3630});
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    }
    ~LogHost() override { Unload(); }
    ui::LogList log;

private:
    void CreateControls() override { log.Create(*this); }
    void LayoutControls() override {
        log.FitToFont();
        log.Place({0, 0, 8655, 3630}, Dpi());
    }
};

LogAlone Measure(const std::vector<std::string>& szLines) {
    LogAlone result;
    result.lLines = szLines.size();
    LogHost host;
    ui::PumpPendingMessages();
    const uint64_t lBefore = WindowProber::WorkingSet();
    std::vector<std::string> batch;
    for (size_t i = 0; i < szLines.size(); i += kBatch) {
        batch.assign(szLines.begin() + i, szLines.begin() + std::min(i + kBatch, szLines.size()));
        host.log.AddLines(batch);
        ui::PumpPendingMessages();
    }
    const uint64_t lAfter = WindowProber::WorkingSet();
    for (const std::string& szLine : szLines) result.lTextBytes += szLine.size();
    result.lGrowth = lAfter > lBefore ? lAfter - lBefore : 0;
    return result;
}

}  // namespace

LogAlone MeasureLogAlone(const std::vector<std::string>& szLines, const std::string& szFolder) {
    const std::string szFile = szFolder + "\\longest-log.txt";
    {
        std::ofstream out(szFile, std::ios::binary);
        for (const std::string& szLine : szLines) out << szLine << '\n';
    }
    char szExe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    std::string szCommandLine = std::string(1, '"').append(szExe).append("\" --log-alone \"").append(szFile) + '"';
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, szCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw std::runtime_error("cannot run " + szCommandLine);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    LogAlone result;
    std::ifstream in(szFile + ".result");
    in >> result.lGrowth >> result.lTextBytes >> result.lLines;
    DeleteFileA(szFile.c_str());
    DeleteFileA((szFile + ".result").c_str());
    return result;
}

int RunLogAlone(const std::string& szFile) {
    std::vector<std::string> szLines;
    {
        std::ifstream in(szFile, std::ios::binary);
        for (std::string szLine; std::getline(in, szLine);) szLines.push_back(szLine);
    }
    const LogAlone result = Measure(szLines);
    std::ofstream(szFile + ".result") << result.lGrowth << ' ' << result.lTextBytes << ' ' << result.lLines << '\n';
    return 0;
}

}  // namespace corvane::bench
