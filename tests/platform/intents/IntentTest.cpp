#include "platform/intents/Intent.h"

#include <gtest/gtest.h>

using namespace plyx::intents;

namespace {

const IntentDescriptor& sampleIntent() {
    static const IntentDescriptor d{
        "SampleIntent",
        "Sample",
        {
            {"surface", "Background", ParameterKind::enumeration, "followApp",
             {{"followApp", "Follow app setting"}, {"solid", "Solid"}}, "Background", false},
            {"steps", "Steps", ParameterKind::integer, 1000, {}, "", false},
            {"target", "Target", ParameterKind::date, nullptr, {}, "", true},
            {"name", "Name", ParameterKind::string, "", {}, "", false},
        }};
    return d;
}

} // namespace

TEST(Configuration, UnconfiguredReadsEveryDefault) {
    for (const char* text : {"", "  \n", "{}"}) {
        SCOPED_TRACE(text);
        std::string error;
        auto c = Configuration::parse(sampleIntent(), text, &error);
        ASSERT_TRUE(c) << error;
        EXPECT_EQ(c->value("surface"), "followApp");
        EXPECT_EQ(c->value("steps"), 1000);
        EXPECT_TRUE(c->value("target").is_null());
        EXPECT_TRUE(c->values().empty());
    }
}

TEST(Configuration, ConfiguredValuesWinOverDefaults) {
    auto c = Configuration::parse(sampleIntent(), R"({"surface":"solid","steps":250.0,"target":null})");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->value("surface"), "solid");
    EXPECT_EQ(c->value("steps").get<double>(), 250.0);
    EXPECT_TRUE(c->value("target").is_null());
    EXPECT_TRUE(c->value("no such key").is_null());
}

TEST(Configuration, RejectsWhatTheIntentCannotHoldWithAMessageNamingIt) {
    struct Case {
        std::string text;
        const char* messagePart;
    };
    const Case cases[] = {
        {"{", "not valid JSON"},
        // Refused before parsing: values this deep are copied by recursion.
        {R"({"name":)" + std::string(30000, '[') + std::string(30000, ']') + "}", "nested deeper than 48 levels"},
        {R"({"name":")" + std::string(70000, 'x') + R"("})", "longer than 65536 bytes"},
        {"[1]", "must be a JSON object"},
        {R"({"colour":"red"})", "unknown parameter \"colour\""},
        {R"({"surface":"Solid"})", "one of followApp, solid"},
        {R"({"surface":3})", "one of followApp, solid"},
        {R"({"steps":12.5})", "\"steps\" of SampleIntent needs an integer"},
        {R"({"steps":"12"})", "needs an integer"},
        // Whole numbers past the signed 64-bit range would wrap when read.
        {R"({"steps":9223372036854775808})", "needs an integer"},
        {R"({"steps":1e19})", "needs an integer"},
        {R"({"steps":-1e19})", "needs an integer"},
        {R"({"name":null})", "\"name\" of SampleIntent cannot be null"},
        {R"({"target":"tomorrow"})", "needs a date"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text.substr(0, 80));
        std::string error;
        EXPECT_FALSE(Configuration::parse(sampleIntent(), k.text, &error));
        EXPECT_NE(error.find(k.messagePart), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}
