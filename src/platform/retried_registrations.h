#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace wordvane {

// Registrations with the system that can fail early at sign-in, while the
// services they need are still starting (the clipboard's listeners, the
// session notifications): each that fails is tried again on every retry,
// every two seconds, for two minutes.
class RetriedRegistrations {
  public:
    static constexpr int kRetryIntervalMs = 2000;
    static constexpr int kMostRetries = 60;

    // Tried at once; `attempt` tells whether the registration took.
    void add(std::function<bool()> attempt) {
        entries_.push_back({std::move(attempt), false, 0});
        entries_.back().held = entries_.back().attempt();
    }
    // The retry timer's tick: those that have not taken are tried again.
    void retry() {
        for (Entry& entry : entries_) {
            if (!entry.held && entry.tries < kMostRetries) {
                ++entry.tries;
                entry.held = entry.attempt();
            }
        }
    }
    // Some registration has not taken and will be tried again: the retry
    // timer runs.
    bool waiting() const {
        for (const Entry& entry : entries_) {
            if (!entry.held && entry.tries < kMostRetries) {
                return true;
            }
        }
        return false;
    }

  private:
    struct Entry {
        std::function<bool()> attempt;
        bool held;
        int tries;
    };
    std::vector<Entry> entries_;
};

}  // namespace wordvane
