#include "platform/base/TextCase.h"

#include <gtest/gtest.h>

#include <unicode/locid.h>

namespace plyx {
namespace {

TEST(TextCase, UpperCasedByTheFullRulesInEveryLocale) {
    // Under a Turkish default locale, "i" would become a dotted capital.
    const icu::Locale before = icu::Locale::getDefault();
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale("tr_TR"), status);
    const std::pair<const char*, const char*> cases[] = {
        {"straße über", "STRASSE ÜBER"},
        {"istanbul", "ISTANBUL"}, // no dotted capital I
        {"ﬁne", "FINE"},          // a ligature becomes two letters
        {"12:40 pm", "12:40 PM"},
        {"", ""},
        {"a\xFF" "b", "A\xEF\xBF\xBD" "B"}, // not UTF-8: one replacement character
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(text::upperCased(in), out) << in;
    icu::Locale::setDefault(before, status);
}

} // namespace
} // namespace plyx
