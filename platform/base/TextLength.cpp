#include "platform/base/TextLength.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/utext.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace plyx::text {

std::string heldToLength(std::string_view s, std::size_t maxCharacters) {
    // A character is at least one byte: a text no longer in bytes is within the limit.
    if (s.size() <= maxCharacters) return std::string(s);
    // No character takes more than a few dozen bytes (the longest emoji
    // sequences); only the head that can hold the limit is looked at.
    const std::size_t head = std::min(s.size(), maxCharacters * 64 + 64);
    UErrorCode err = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> it(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), err));
    UText* ut = utext_openUTF8(nullptr, s.data(), static_cast<int64_t>(head), &err);
    if (U_FAILURE(err) || !it) {
        if (ut) utext_close(ut);
        return std::string(s.substr(0, maxCharacters));
    }
    it->setText(ut, err);
    // Cut at the limit, or, should the head end first (characters piled
    // with marks), at the head's last boundary.
    std::size_t cut = head;
    std::int32_t pos = it->first();
    for (std::size_t n = 0; pos != icu::BreakIterator::DONE; ++n) {
        cut = static_cast<std::size_t>(pos);
        if (n == maxCharacters) break;
        pos = it->next();
    }
    utext_close(ut);
    if (cut >= s.size()) return std::string(s);
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut; // never inside a character's bytes
    return std::string(s.substr(0, cut)) + "\u2026";
}

} // namespace plyx::text
