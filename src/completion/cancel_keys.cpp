// The cancel-key line of a list header and the keys it cancels on.

#include "completion/completion.h"

namespace wordvane {

namespace {

// Matches nothing that a key spells.
constexpr char16_t kNoKey[] = u"う";

std::u16string cancelKeyOf(const std::u16string& item) {
    if (item.size() == 1) {
        return item;
    }
    if (item == u"Return" || item == u"return") {
        return u"return";
    }
    if (item == u"ShiftSpace" || item == u"shiftspace") {
        return u"ShiftSpace";
    }
    struct Spelling {
        const char16_t* lower;
        const char16_t* capitalised;
    };
    for (const Spelling& arrow : {Spelling{u"up", u"Up"}, Spelling{u"down", u"Down"},
                                  Spelling{u"right", u"Right"}, Spelling{u"left", u"Left"}}) {
        if (item == arrow.lower || item == arrow.capitalised) {
            return arrow.lower;
        }
    }
    return kNoKey;
}

}  // namespace

void Completion::separateString(int16_t listIndex, const std::u16string& line) {
    std::u16string rest = line + u", ";
    for (size_t k = 0; k < 10; ++k) {
        auto& slot = cancelKeys_[k * kListCount + static_cast<size_t>(listIndex)];
        const size_t comma = rest.find(u',');
        if (comma == std::u16string::npos) {
            slot = kNoKey;
            continue;
        }
        slot = cancelKeyOf(rest.substr(0, comma));
        rest = rest.substr(comma + 1);
    }
}

}  // namespace wordvane
