#include "platform/base/TextCase.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace plyx::text {

// The root locale, not the user's: a caption must not turn "i" into a dotted
// capital because the process runs under a Turkish locale.
std::string upperCased(std::string_view s) {
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
    u.toUpper(icu::Locale::getRoot());
    std::string out;
    u.toUTF8String(out);
    return out;
}

} // namespace plyx::text
