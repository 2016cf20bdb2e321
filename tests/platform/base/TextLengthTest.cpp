#include "platform/base/TextLength.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

TEST(TextLength, CutBetweenCharactersWithAnEllipsis) {
    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467"; // one character of 18 bytes
    const std::string accented = "e\u0301";                                  // e and a combining accent
    struct Case {
        const char* name;
        std::string text;
        std::size_t limit;
        std::string want;
    } cases[] = {
        {"within the limit", "Run", 3, "Run"},
        {"ascii past it", "Running", 3, "Run\u2026"},
        {"wide characters counted as characters", "\u65e5\u672c\u8a9e\u306e", 3, "\u65e5\u672c\u8a9e\u2026"},
        {"a joined emoji is one character", family + family + "x", 2, family + family + "\u2026"},
        {"an accent stays with its letter", accented + accented + accented, 2, accented + accented + "\u2026"},
        {"exactly the limit in characters, more in bytes", accented + accented, 2, accented + accented},
        {"empty", "", 0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(text::heldToLength(c.text, c.limit), c.want) << c.name;

    // A megabyte is cut from its head, whatever follows.
    const std::string huge(1 << 20, 'a');
    EXPECT_EQ(text::heldToLength(huge, text::kMaxNameLength), std::string(text::kMaxNameLength, 'a') + "\u2026");
}

} // namespace
} // namespace plyx
