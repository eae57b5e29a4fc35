#include "log_alone.h"

#include <algorithm>

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

}  // namespace

LogAlone MeasureLogAlone(const std::vector<std::string>& szLines) {
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
    batch.clear();
    batch.shrink_to_fit();
    for (const std::string& szLine : szLines) result.lTextBytes += szLine.size();
    const uint64_t lAfter = WindowProber::WorkingSet();
    result.lGrowth = lAfter > lBefore ? lAfter - lBefore : 0;
    return result;
}

}  // namespace corvane::bench
