#include "message_pump.h"

#include "platform/win32.h"
#include "stopwatch.h"
#include "ui/message_loop.h"

namespace corvane::bench {

bool PumpUntil(const std::function<bool()>& done, double dfTimeout) {
    const double dfGiveUp = Now() + dfTimeout;
    while (!done()) {
        if (Now() > dfGiveUp) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        ui::PumpPendingMessages();
    }
    return true;
}

}  // namespace corvane::bench
