// App intents: the form a button carries, rebuilt by type name in the
// registry, refused when it does not fit; performed off the calling thread;
// entities held by identifier and found through their query.
#include "platform/intents/AppIntent.h"
#include "platform/intents/Entity.h"

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

using namespace plyx::intents;

namespace {

// Remembers what it was built with and where it ran.
struct CountIntent final : AppIntent {
    std::int64_t amount = 1;
    std::string label;
    static inline std::atomic<QThread*> ranOn{nullptr};
    static inline std::atomic<std::int64_t> total{0};

    static const IntentDescriptor& descriptor() {
        static const IntentDescriptor d{"CountIntent",
                                        "Count",
                                        {{"amount", "Amount", ParameterKind::integer, 1},
                                         {"label", "Label", ParameterKind::string}}};
        return d;
    }
    static std::unique_ptr<CountIntent> from(const Configuration& c) {
        auto i = std::make_unique<CountIntent>();
        i->amount = c.value("amount").get<std::int64_t>();
        if (c.value("label").is_string()) i->label = c.value("label").get<std::string>();
        return i;
    }
    const IntentDescriptor& type() const override { return descriptor(); }
    Json parameters() const override { return {{"amount", amount}, {"label", label}}; }
    bool perform() override {
        ranOn = QThread::currentThread();
        total += amount;
        return amount >= 0;
    }
};

IntentRegistry registryWithCount() {
    IntentRegistry r;
    r.add<CountIntent>();
    return r;
}

TEST(AppIntent, TheSerialisedFormRebuildsAnEqualIntent) {
    CountIntent original;
    original.amount = -7;
    original.label = "a \"quoted\" label";
    const std::string form = serialise(original);
    EXPECT_EQ(form, R"({"type":"CountIntent","parameters":{"amount":-7,"label":"a \"quoted\" label"}})");

    const auto registry = registryWithCount();
    std::string error;
    auto rebuilt = registry.rebuild(form, &error);
    ASSERT_TRUE(rebuilt) << error;
    auto* count = dynamic_cast<CountIntent*>(rebuilt.get());
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->amount, -7);
    EXPECT_EQ(count->label, "a \"quoted\" label");
    EXPECT_EQ(serialise(*count), form);

    // Missing parameters take their defaults; none at all is the plain intent.
    for (const char* plain : {R"({"type":"CountIntent"})", R"({"type":"CountIntent","parameters":{}})",
                              R"({"type":"CountIntent","parameters":null})"}) {
        auto p = registry.rebuild(plain, &error);
        ASSERT_TRUE(p) << plain << ": " << error;
        EXPECT_EQ(dynamic_cast<CountIntent&>(*p).amount, 1);
        EXPECT_EQ(dynamic_cast<CountIntent&>(*p).label, "");
    }
}

TEST(AppIntent, FormsThatDoNotFitAreRefusedWithOneLine) {
    const auto registry = registryWithCount();
    struct Case {
        const char* form;
        const char* messagePart;
    };
    const Case cases[] = {
        {"", "must be a JSON object"},
        {"{\"type\":", "must be a JSON object"},
        {R"(["CountIntent"])", "must be a JSON object"},
        {R"({"parameters":{}})", "type name"},
        {R"({"type":3})", "type name"},
        {R"({"type":"DeleteEverythingIntent"})", "unknown app intent type \"DeleteEverythingIntent\""},
        {R"({"type":"countintent"})", "unknown app intent type"},
        {R"({"type":"CountIntent","parameters":[1]})", "must be a JSON object"},
        {R"({"type":"CountIntent","parameters":{"amount":"5"}})", "\"amount\" of CountIntent needs an integer"},
        {R"({"type":"CountIntent","parameters":{"amount":1.5}})", "needs an integer"},
        {R"({"type":"CountIntent","parameters":{"amount":null}})", "cannot be null"},
        {R"({"type":"CountIntent","parameters":{"path":"/"}})", "unknown parameter \"path\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        std::string error;
        EXPECT_EQ(registry.rebuild(c.form, &error), nullptr);
        EXPECT_NE(error.find(c.messagePart), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(AppIntent, OneTypePerNameAndPerformedOnAWorker) {
    auto registry = registryWithCount();
    EXPECT_TRUE(registry.contains("CountIntent"));
    EXPECT_EQ(registry.descriptor("CountIntent"), &CountIntent::descriptor());
    EXPECT_EQ(registry.descriptor("Other"), nullptr);
    EXPECT_THROW(registry.add<CountIntent>(), std::invalid_argument);

    CountIntent::total = 0;
    auto intent = registry.rebuild(R"({"type":"CountIntent","parameters":{"amount":5}})");
    ASSERT_TRUE(intent);
    auto done = performOnWorker(std::move(intent));
    done.waitForFinished();
    EXPECT_TRUE(done.result());
    EXPECT_EQ(CountIntent::total, 5);
    EXPECT_NE(CountIntent::ranOn.load(), nullptr);
    EXPECT_NE(CountIntent::ranOn.load(), QThread::currentThread());
    // A failed perform comes back as a failed future result.
    auto refused = performOnWorker(registry.rebuild(R"({"type":"CountIntent","parameters":{"amount":-1}})"));
    refused.waitForFinished();
    EXPECT_FALSE(refused.result());
}

// A small entity type: colours by name, the way a city or a place is found.
struct ColourEntity {
    static constexpr const char* typeDisplayName = "Colour";
    std::string id;
    std::string displayTitle() const { return id.empty() ? "?" : std::string(1, char(std::toupper(id[0]))) + id.substr(1); }
};

struct ColourQuery {
    std::vector<std::string> known{"red", "green", "blue", "grey"};
    std::vector<ColourEntity> entitiesFor(const std::vector<std::string>& ids) const {
        std::vector<ColourEntity> out;
        for (const auto& id : ids) out.push_back({id});
        return out;
    }
    std::vector<ColourEntity> entitiesMatching(const std::string& text) const {
        std::vector<ColourEntity> out;
        for (const auto& k : known)
            if (k.find(text) != std::string::npos) out.push_back({k});
        return out;
    }
    std::vector<ColourEntity> suggestedEntities() const { return {{"red"}, {"blue"}}; }
    std::optional<ColourEntity> defaultResult() const { return ColourEntity{"grey"}; }
};

TEST(Entity, AParameterHoldsAnEntityByIdentifierAndTheDialogFindsThemThroughTheQuery) {
    const IntentDescriptor d{"PaintIntent",
                             "Paint",
                             {{.key = "colour",
                               .title = "Colour",
                               .kind = ParameterKind::entity,
                               .typeTitle = ColourEntity::typeDisplayName,
                               .optional = true,
                               .query = entityQuery<ColourEntity>(ColourQuery{})}}};
    const auto& q = *d.parameters[0].query;
    EXPECT_EQ(q.typeDisplayName(), "Colour");
    using D = std::vector<EntityDisplay>;
    EXPECT_EQ(q.entitiesFor({"blue", "no such"}), (D{{"blue", "Blue"}, {"no such", "No such"}}));
    EXPECT_EQ(q.entitiesMatching("re"), (D{{"red", "Red"}, {"green", "Green"}, {"grey", "Grey"}}));
    EXPECT_TRUE(q.entitiesMatching("purple").empty());
    EXPECT_EQ(q.suggestedEntities(), (D{{"red", "Red"}, {"blue", "Blue"}}));
    EXPECT_EQ(q.defaultResult(), (EntityDisplay{"grey", "Grey"}));

    // The configuration holds the identifier, or none.
    auto set = Configuration::parse(d, R"({"colour":"blue"})");
    ASSERT_TRUE(set);
    EXPECT_EQ(set->value("colour"), "blue");
    EXPECT_TRUE(Configuration::defaults(d).value("colour").is_null());
    EXPECT_TRUE(Configuration::parse(d, R"({"colour":null})"));
    std::string error;
    EXPECT_FALSE(Configuration::parse(d, R"({"colour":{"id":"blue"}})", &error));
    EXPECT_NE(error.find("needs an entity"), std::string::npos) << error;
}

} // namespace
