#include "completion/held_keys.h"

namespace wordvane {

bool HeldKeys::moved(int virtualKey, bool up, uint64_t now) {
    if (up) {
        down_.erase(virtualKey);
        return false;
    }
    const bool repeat = held(virtualKey);
    down_[virtualKey] = now;
    return repeat;
}

void HeldKeys::forgetReleased(const std::function<bool(int virtualKey)>& keyboardSaysUp,
                              bool foregroundChanged, uint64_t now) {
    constexpr uint64_t kSilentMs = 1000;
    std::erase_if(down_, [&](const auto& key) {
        return (foregroundChanged || now - key.second >= kSilentMs) && keyboardSaysUp(key.first);
    });
}

}  // namespace wordvane
