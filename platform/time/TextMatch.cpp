#include "platform/time/TextMatch.h"

#include "platform/time/Time.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <cstring>

namespace plyx::time {

bool localizedCaseInsensitiveContains(const std::string& text, const std::string& part, const std::string& localeId) {
    if (part.empty()) return false;
    const icu::Locale locale(localeId.empty() ? currentLocale().c_str() : localeId.c_str());
    const char* language = locale.getLanguage();
    const bool turkic = std::strcmp(language, "tr") == 0 || std::strcmp(language, "az") == 0;
    const uint32_t options = turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT;
    icu::UnicodeString haystack = icu::UnicodeString::fromUTF8(text);
    icu::UnicodeString needle = icu::UnicodeString::fromUTF8(part);
    haystack.foldCase(options);
    needle.foldCase(options);
    return haystack.indexOf(needle) >= 0;
}

} // namespace plyx::time
