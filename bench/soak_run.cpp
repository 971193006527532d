// A soak run of the core on the fake desktop: 10,000 insertions, 10,000
// clipboard captures into the shipped history and 10,000 list switches, with
// the memory in use (bytes the allocator has handed out) at the start, after
// the first round and at the end. The history is bounded, so after the first
// round the memory must not grow.
//
// soak_run DIR   (DIR: a program folder, for example the shipped defaults)

#include <malloc.h>

#include <cstdio>
#include <string>

#include "app/app.h"
#include "platform/fake/fake_session.h"

namespace {

size_t bytesInUse() {
    return mallinfo2().uordblks;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace wordvane;
    if (argc != 2) {
        std::fprintf(stderr, "usage: soak_run DIR\n");
        return 2;
    }
    FakePlatform platform(argv[1]);
    App app(platform);
    if (!app.shell.Form_Load()) {
        std::fprintf(stderr, "the program folder did not start\n");
        return 1;
    }
    FakeSession user(platform, app);
    const size_t start = bytesInUse();
    size_t afterFirstRound = 0;
    std::u16string lastCopy;
    int inserted = 0;
    constexpr int kRounds = 10;
    constexpr int kPerRound = 1000;
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < kPerRound; ++i) {
            const int n = round * kPerRound + i;
            // Texts that differ, so that every one is stored.
            lastCopy = u"copied text " + std::u16string(static_cast<size_t>(n % 40), u'x') +
                       static_cast<char16_t>(u'A' + n % 26) +
                       static_cast<char16_t>(u'A' + n / 26 % 26) +
                       static_cast<char16_t>(u'A' + n / 676 % 26);
            user.copy(lastCopy);
            app.capture.checkClipboad();
            inserted += app.insertion.clipInsert(u"inserted") ? 1 : 0;
            user.tick(31);  // the clipboard comes back
            app.completion.switchList(static_cast<int16_t>(2 + n % 5), u"list");
            user.forgetRecords();  // the fake desktop's own records are not the program's
        }
        if (round == 0) {
            afterFirstRound = bytesInUse();
        }
    }
    const size_t end = bytesInUse();
    std::printf("insertions, captures, list switches: %d each\n", kRounds * kPerRound);
    std::printf("memory in use: start %zu bytes, after 1000 %zu bytes, end %zu bytes\n", start,
                afterFirstRound, end);
    // Freed storage may stay with the allocator; growth beyond a few pages
    // after the history is full would be a leak.
    const bool bounded = end <= afterFirstRound + 64 * 1024;
    const bool worked = inserted == kRounds * kPerRound &&
                        app.lists.words(kClipboardList).getString(2, 0, 1) == lastCopy;
    if (!worked) {
        std::printf("the run did not insert or capture as it should (%d insertions)\n", inserted);
        return 1;
    }
    std::printf("%s\n", bounded ? "no growth after the first round" : "GROWTH");
    return bounded ? 0 : 1;
}
