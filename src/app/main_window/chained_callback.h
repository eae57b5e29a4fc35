// A handler added to a callback that another part of the program may have
// set already: the handler set before runs first, and it is put back when
// this goes.
#pragma once

#include <functional>
#include <utility>

namespace corvane {

template <typename... Args>
class ChainedCallback {
public:
    ChainedCallback(std::function<void(Args...)>& slot, std::function<void(Args...)> handler)
        : slot(slot), previous(std::move(slot)), handler(std::move(handler)) {
        slot = [this](Args... args) {
            if (previous) previous(args...);
            this->handler(args...);
        };
    }
    ~ChainedCallback() { slot = std::move(previous); }
    ChainedCallback(const ChainedCallback&) = delete;
    ChainedCallback& operator=(const ChainedCallback&) = delete;

private:
    std::function<void(Args...)>& slot;
    std::function<void(Args...)> previous;
    std::function<void(Args...)> handler;
};

}  // namespace corvane
