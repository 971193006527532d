#include "platform/retried_registrations.h"

#include <gtest/gtest.h>

namespace wordvane {
namespace {

// Early at sign-in the session service does not answer yet: a registration
// that fails is tried on every retry until it takes, and for two minutes at
// most; one that took is never made twice.
TEST(RetriedRegistrationsTest, AFailedRegistrationIsTriedUntilItTakes) {
    RetriedRegistrations registrations;
    int clipboardTries = 0;
    int sessionTries = 0;
    registrations.add([&] { return ++clipboardTries > 0; });
    registrations.add([&] { return ++sessionTries >= 3; });
    EXPECT_TRUE(registrations.waiting());
    registrations.retry();
    registrations.retry();
    EXPECT_FALSE(registrations.waiting());
    EXPECT_EQ(clipboardTries, 1);
    EXPECT_EQ(sessionTries, 3);

    RetriedRegistrations never;
    int tries = 0;
    never.add([&] { return ++tries < 0; });
    while (never.waiting()) {
        never.retry();
    }
    EXPECT_EQ(tries, 1 + RetriedRegistrations::kMostRetries);
}

}  // namespace
}  // namespace wordvane
