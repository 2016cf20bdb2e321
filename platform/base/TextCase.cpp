#include "platform/base/TextCase.h"

#include <algorithm>

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace plyx::text {

// The root locale, not the user's: a caption must not turn "i" into a dotted
// capital because the process runs under a Turkish locale.
std::string upperCased(std::string_view s) {
    // Most captions are plain ASCII, whose capitals are its own: no need for
    // the converter a widget would otherwise run on every label of every refresh.
    if (std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string out(s);
        for (char& c : out)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return out;
    }
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
    u.toUpper(icu::Locale::getRoot());
    std::string out;
    u.toUTF8String(out);
    return out;
}

} // namespace plyx::text
