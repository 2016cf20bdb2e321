#include "platform/coding/Coding.h"

#include <gtest/gtest.h>

#include <limits>

namespace plyx::codingtest {

// A small theme-shaped record: a keyed enum with payload, string enums, a bool.
enum class Accent { nothingRed, blue, custom };
struct AccentValue {
    Accent kind = Accent::nothingRed;
    std::string hex;
};
inline void encodeJSON(coding::Json& j, const AccentValue& v) {
    switch (v.kind) {
    case Accent::nothingRed: j = coding::keyedCase("nothingRed"); break;
    case Accent::blue: j = coding::keyedCase("blue"); break;
    case Accent::custom: j = coding::keyedCase("custom", {{"_0", v.hex}}); break;
    }
}
inline void decodeJSON(const coding::Json& j, AccentValue& v) {
    auto [name, payload] = coding::readKeyedCase(j);
    if (name == "nothingRed") v = {Accent::nothingRed, {}};
    else if (name == "blue") v = {Accent::blue, {}};
    else if (name == "custom") {
        v.kind = Accent::custom;
        coding::ObjectReader r(*payload);
        r("_0", v.hex);
    } else throw coding::DecodeError("unknown accent");
}

enum class Numerals { dotMatrix, mono, system };
inline constexpr auto kNumerals = coding::makeStringEnum<Numerals>(
    {{Numerals::dotMatrix, "dotMatrix"}, {Numerals::mono, "mono"}, {Numerals::system, "system"}});
inline void encodeJSON(coding::Json& j, Numerals v) { kNumerals.encode(j, v); }
inline void decodeJSON(const coding::Json& j, Numerals& v) { kNumerals.decode(j, v); }

enum class Labels { monoCaps, systemSans };
inline constexpr auto kLabels =
    coding::makeStringEnum<Labels>({{Labels::monoCaps, "monoCaps"}, {Labels::systemSans, "systemSans"}});
inline void encodeJSON(coding::Json& j, Labels v) { kLabels.encode(j, v); }
inline void decodeJSON(const coding::Json& j, Labels& v) { kLabels.decode(j, v); }

enum class Surface { solid, glass };
inline constexpr auto kSurface = coding::makeStringEnum<Surface>({{Surface::solid, "solid"}, {Surface::glass, "glass"}});
inline void encodeJSON(coding::Json& j, Surface v) { kSurface.encode(j, v); }
inline void decodeJSON(const coding::Json& j, Surface& v) { kSurface.decode(j, v); }

struct Theme {
    AccentValue accent;
    bool followSystemAccent = false;
    Numerals numerals = Numerals::dotMatrix;
    Labels labels = Labels::monoCaps;
    Surface surface = Surface::solid;
};
PLYX_CODABLE(Theme, accent, followSystemAccent, numerals, labels, surface)

struct Sample {
    std::string title;
    std::optional<std::string> note;
    Date when;
    double value = 0;
    int count = 0;
    std::set<std::string> tags;
    std::vector<Uuid> ids;
};
PLYX_CODABLE(Sample, title, note, when, value, count, tags, ids)

TEST(StoredForms, GoldenBytes) {
    EXPECT_EQ(*coding::encode(Theme{}),
              R"({"accent":{"nothingRed":{}},"followSystemAccent":false,"numerals":"dotMatrix","labels":"monoCaps","surface":"solid"})");
    Theme custom;
    custom.accent = {Accent::custom, "#30D158"};
    EXPECT_EQ(*coding::encode(custom),
              R"({"accent":{"custom":{"_0":"#30D158"}},"followSystemAccent":false,"numerals":"dotMatrix","labels":"monoCaps","surface":"solid"})");

    Sample s;
    s.title = "a/b \"q\"\n\x01 é";
    s.when = Date::fromUnix(978307200.0 + 123.25);
    s.value = 21;
    s.count = 3;
    s.tags = {"b", "a", "b"};
    s.ids = {*Uuid::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f")};
    EXPECT_EQ(*coding::encode(s),
              "{\"title\":\"a\\/b \\\"q\\\"\\u000a\\u0001 é\",\"when\":123.25,\"value\":21,\"count\":3,"
              "\"tags\":[\"a\",\"b\"],\"ids\":[\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\"]}");
}

TEST(StoredForms, NumbersUseTheShortestExactText) {
    struct Case {
        double v;
        const char* text;
    } cases[] = {{1.0, "1"}, {0.0, "0"}, {-3.0, "-3"}, {51.5, "51.5"}, {0.1, "0.1"},
                 {1.0 / 3.0, "0.3333333333333333"}, {-0.25, "-0.25"}, {786364800.123, "786364800.123"}};
    for (const auto& c : cases) EXPECT_EQ(coding::numberText(c.v), c.text) << c.v;
}

TEST(StoredForms, NonFiniteNumberFailsTheWholeEncode) {
    Sample s;
    s.value = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(coding::encode(s).has_value());
    s.value = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(coding::encode(s).has_value());
}

TEST(StoredForms, RoundTrip) {
    Sample s;
    s.title = "Groceries / errands";
    s.note = "x";
    s.when = Date{786364800.123456};
    s.value = 0.1 + 0.2;
    s.count = -7;
    s.tags = {"z", "y"};
    s.ids = {Uuid::random(), Uuid::random()};
    auto back = coding::decode<Sample>(*coding::encode(s));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, s.title);
    EXPECT_EQ(back->note, s.note);
    EXPECT_EQ(back->when, s.when);
    EXPECT_EQ(back->value, s.value);
    EXPECT_EQ(back->count, s.count);
    EXPECT_EQ(back->tags, s.tags);
    EXPECT_EQ(back->ids, s.ids);
}

TEST(StoredForms, DecodeTable) {
    const std::string base = R"("title":"t","when":10,"value":1.5,"count":2,"tags":[],"ids":[])";
    struct Case {
        std::string json;
        bool decodes;
        const char* why;
    } cases[] = {
        {"{" + base + "}", true, "missing optional"},
        {"{" + base + R"(,"note":null})", true, "null optional"},
        {"{" + base + R"(,"note":"n","extra":{"x":[1,2]}})", true, "unknown member ignored"},
        {R"({"when":10,"value":1.5,"count":2,"tags":[],"ids":[]})", false, "missing required member"},
        {R"({"title":null,"when":10,"value":1.5,"count":2,"tags":[],"ids":[]})", false, "null required member"},
        {R"({"title":5,"when":10,"value":1.5,"count":2,"tags":[],"ids":[]})", false, "wrong type"},
        {R"({"title":"t","when":10,"value":1.5,"count":34.0,"tags":[],"ids":[]})", true, "whole float is an integer"},
        {R"({"title":"t","when":10,"value":1.5,"count":34.5,"tags":[],"ids":[]})", false, "fraction is no integer"},
        {R"({"title":"t","when":"2001","value":1.5,"count":2,"tags":[],"ids":[]})", false, "date as text"},
        {R"({"title":"t","when":10,"value":1.5,"count":2,"tags":["a",3],"ids":[]})", false, "one bad element"},
        {R"({"title":"t","when":10,"value":1.5,"count":2,"tags":[],"ids":["not-a-uuid"]})", false, "bad uuid"},
        {"{" + base + R"(,"note":7})", false, "mistyped optional"},
        {"[1,2]", false, "not an object"},
        {"{" + base, false, "not JSON"},
    };
    for (const auto& c : cases) EXPECT_EQ(coding::decode<Sample>(c.json).has_value(), c.decodes) << c.why;

    auto withNull = coding::decode<Sample>("{" + base + R"(,"note":null})");
    auto missing = coding::decode<Sample>("{" + base + "}");
    EXPECT_FALSE(withNull->note);
    EXPECT_FALSE(missing->note);
}

// Text nested past the limit is refused before the parser sees it, whatever
// else it holds; brackets inside strings are text, not nesting.
TEST(StoredForms, NestingPastTheLimitIsRefused) {
    auto nested = [](int depth, const std::string& inner = "1") {
        return std::string(depth, '[') + inner + std::string(depth, ']');
    };
    const std::string deepInString = "\"" + std::string(100, '[') + "\"";
    struct Case {
        std::string text;
        bool reads;
        const char* why;
    } cases[] = {
        {nested(coding::kMaxNesting), true, "at the limit"},
        {nested(coding::kMaxNesting + 1), false, "one past it"},
        {nested(60000), false, "deep enough to exhaust a stack"},
        {nested(60000, ""), false, "unclosed brackets count as well"},
        {R"({"a":{"b":)" + nested(coding::kMaxNesting - 2) + "}}", true, "objects and arrays together, at the limit"},
        {R"({"a":{"b":)" + nested(coding::kMaxNesting - 1) + "}}", false, "objects and arrays together, past it"},
        {"[" + deepInString + "]", true, "brackets in a string"},
        {R"(["\"[[[[",)" + nested(coding::kMaxNesting - 1) + "]", true, "an escaped quote does not end the string"},
        {"]]]]" + nested(coding::kMaxNesting + 1), false, "stray closers do not give depth back"},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_EQ(coding::parse(c.text, &why).has_value(), c.reads) << c.why << ": " << why;
        if (!c.reads) {
            EXPECT_EQ(why, "nested deeper than 48 levels") << c.why;
        }
    }
    EXPECT_FALSE(coding::decode<std::vector<int>>(nested(60000))) << "records read through the same parse";
}

// Unsigned counters (kernel tick and byte counts) span the whole 64 bits.
TEST(StoredForms, UnsignedIntegers) {
    const std::pair<const char*, std::optional<std::uint64_t>> cases[] = {
        {"0", 0},
        {"18446744073709551615", UINT64_MAX},
        {"9223372036854775808", 9223372036854775808ull},
        {"34.0", 34},
        {"1e19", 10000000000000000000ull}, // whole, past the signed range
        {"-1", std::nullopt},
        {"-0.5", std::nullopt},
        {"34.5", std::nullopt},
        {"18446744073709551616.0", std::nullopt},
        {"\"7\"", std::nullopt},
        {"true", std::nullopt},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(coding::decode<std::uint64_t>(text), want) << text;
    EXPECT_EQ(coding::encode(std::uint64_t{18446744073709551615ull}), "18446744073709551615");
    EXPECT_EQ(coding::decode<unsigned>("4294967296"), std::nullopt);
    EXPECT_EQ(coding::decode<unsigned>("4294967295"), 4294967295u);
}

// Null elements of an array are none, kept in their places.
TEST(StoredForms, OptionalArrayElements) {
    using Values = std::vector<std::optional<double>>;
    EXPECT_EQ(coding::decode<Values>("[1.5,null,3]"), (Values{1.5, std::nullopt, 3.0}));
    EXPECT_EQ(coding::encode(Values{1.5, std::nullopt, 3.0}), "[1.5,null,3]");
    EXPECT_EQ(coding::decode<Values>(R"([1,"2"])"), std::nullopt);
    EXPECT_EQ(coding::decode<Values>("null"), std::nullopt);
}

TEST(StoredForms, TextThatIsNotUtf8StaysReadable) {
    // Bytes that are not UTF-8 are written as U+FFFD (one per maximal ill-formed
    // prefix); written raw, the reader would reject the whole record.
    const std::string fffd = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"a\xFF" "b", "a" + fffd + "b"},
        {"\xE2\x82", fffd},                             // cut short
        {"\xE2\x82x", fffd + "x"},
        {"\xC0\xAF", fffd + fffd},                      // overlong "/"
        {"\xED\xA0\x80", fffd + fffd + fffd},          // a surrogate
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // beyond U+10FFFF
        {"\x80", fffd},
    };
    for (const auto& [raw, written] : cases) {
        Sample s;
        s.title = raw;
        const auto text = coding::encode(s);
        ASSERT_TRUE(text);
        EXPECT_NE(text->find("\"title\":\"" + written + "\""), std::string::npos) << *text;
        const auto back = coding::decode<Sample>(*text);
        ASSERT_TRUE(back) << *text;
        EXPECT_EQ(back->title, written);
    }
}

TEST(StoredForms, BoolsAcceptOnlyTrueAndFalse) {
    EXPECT_TRUE(coding::decode<Theme>(
        R"({"accent":{"blue":{}},"followSystemAccent":true,"numerals":"mono","labels":"systemSans","surface":"glass"})"));
    EXPECT_FALSE(coding::decode<Theme>(
        R"({"accent":{"blue":{}},"followSystemAccent":1,"numerals":"mono","labels":"systemSans","surface":"glass"})"));
    EXPECT_FALSE(coding::decode<Theme>(
        R"({"accent":{"blue":{}},"followSystemAccent":false,"numerals":"roman","labels":"systemSans","surface":"glass"})"));
    EXPECT_FALSE(coding::decode<Theme>(
        R"({"accent":{"blue":{},"green":{}},"followSystemAccent":false,"numerals":"mono","labels":"systemSans","surface":"glass"})"));
}

TEST(StoredForms, DatesCountFrom2001) {
    // A date written as Unix seconds reads back 31 years late.
    const double unix = 1700000000;
    auto s = coding::decode<Sample>(R"({"title":"t","when":1700000000,"value":0,"count":0,"tags":[],"ids":[]})");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->when.unixTime(), unix + kReferenceDateUnix);
    EXPECT_NEAR((s->when.unixTime() - unix) / (365.2425 * 86400), 31.0, 0.01);
}

TEST(StoredForms, SetsCollapseDuplicatesAndEmptySetIsEmptyArray) {
    auto s = coding::decode<Sample>(R"({"title":"t","when":0,"value":0,"count":0,"tags":["a","a","b"],"ids":[]})");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->tags.size(), 2u);
    Sample empty;
    EXPECT_NE(coding::encode(empty)->find(R"("tags":[])"), std::string::npos);
}

TEST(Uuids, ParseAndPrint) {
    auto u = Uuid::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
    ASSERT_TRUE(u);
    EXPECT_EQ(u->string(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    for (const char* bad : {"", "e621e1f8c36c495a93fc0c247a3e6e5f", "g621e1f8-c36c-495a-93fc-0c247a3e6e5f",
                            "e621e1f8-c36c-495a-93fc-0c247a3e6e5f0"})
        EXPECT_FALSE(Uuid::parse(bad)) << bad;
    EXPECT_NE(Uuid::random(), Uuid::random());
    EXPECT_EQ(Uuid::random().string()[14], '4');
}

} // namespace plyx::codingtest
