#include "platform/widgetkit/WidgetBundle.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "platform/widgetkit/WidgetHost.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

using namespace plyx;
using namespace plyx::widgetkit;

namespace {

// A configuration intent with one text parameter.
struct LabelIntent {
    std::string label;
    static const intents::IntentDescriptor& descriptor() {
        static const intents::IntentDescriptor d{
            "LabelIntent", "Label", {{"label", "Label", intents::ParameterKind::string, "plain", {}, "", false}}};
        return d;
    }
    static LabelIntent from(const intents::Configuration& c) { return {c.value("label").get<std::string>()}; }
};

struct LabelEntry {
    Date date;
    std::string text;
    bool preview = false;
    QThread* thread = nullptr;
};

// Answers with recognisable entries so each path can be told apart.
struct LabelProvider {
    LabelEntry placeholder(const TimelineProviderContext&) const { return {Date{1}, "placeholder"}; }
    LabelEntry snapshot(const LabelIntent& i, const TimelineProviderContext& ctx) const {
        return {Date{2}, "snapshot " + i.label, ctx.isPreview, QThread::currentThread()};
    }
    Timeline<LabelEntry> timeline(const LabelIntent& i, const TimelineProviderContext& ctx) const {
        return {{{Date{10}, "first " + i.label, ctx.isPreview, QThread::currentThread()},
                 {Date{20}, "second " + i.label, ctx.isPreview, QThread::currentThread()}},
                TimelineReloadPolicy::after(Date{30})};
    }
};

WidgetConfiguration labelWidget(std::string kind, std::vector<WidgetFamily> families = {WidgetFamily::systemSmall}) {
    return AppIntentConfiguration<LabelIntent>(std::move(kind), LabelProvider{},
                                               [](const LabelEntry& e) { return ui::Text(e.text); })
        .configurationDisplayName("Label")
        .description("Shows a label.")
        .supportedFamilies(std::move(families))
        .contentMarginsDisabled();
}

std::string entryText(const AnyEntry& e) { return std::any_cast<const LabelEntry&>(e.entry).text; }

} // namespace

TEST(WidgetHost, EachModeReachesItsProviderAnswerWithTheConfiguredIntent) {
    const auto widget = labelWidget("test.label");
    const auto config = *intents::Configuration::parse(widget.intent(), R"({"label":"x"})");
    TimelineProviderContext ctx;
    ctx.isPreview = true;  // the mode decides, not the caller's context

    auto placeholder = request(widget, RequestMode::placeholder, config, ctx);
    ASSERT_EQ(placeholder.entries.size(), 1u);
    EXPECT_EQ(entryText(placeholder.entries[0]), "placeholder");
    EXPECT_FALSE(placeholder.policy);

    auto snapshot = request(widget, RequestMode::snapshot, config, ctx);
    EXPECT_EQ(entryText(snapshot.entries.at(0)), "snapshot x");
    EXPECT_FALSE(std::any_cast<const LabelEntry&>(snapshot.entries[0].entry).preview);

    auto preview = request(widget, RequestMode::preview, config, ctx);
    EXPECT_TRUE(std::any_cast<const LabelEntry&>(preview.entries.at(0).entry).preview);

    auto timeline = request(widget, RequestMode::timeline, intents::Configuration::defaults(widget.intent()), ctx);
    ASSERT_EQ(timeline.entries.size(), 2u);
    EXPECT_EQ(entryText(timeline.entries[1]), "second plain");
    EXPECT_EQ(timeline.entries[1].date, Date{20});
    EXPECT_EQ(timeline.policy, TimelineReloadPolicy::after(Date{30}));
    EXPECT_FALSE(std::any_cast<const LabelEntry&>(timeline.entries[0].entry).preview);

    // The entry whose time has come.
    EXPECT_EQ(entryText(*currentEntry(timeline, Date{5})), "first plain");
    EXPECT_EQ(entryText(*currentEntry(timeline, Date{10})), "first plain");
    EXPECT_EQ(entryText(*currentEntry(timeline, Date{25})), "second plain");
    EXPECT_FALSE(currentEntry(ProviderAnswer{}, Date{25}));
}

TEST(WidgetHost, ProvidersRunOnAWorkerThreadAndContentIsTheTypedEntrysView) {
    const auto widget = labelWidget("test.label");
    auto future = requestAsync(widget, RequestMode::timeline, intents::Configuration::defaults(widget.intent()), {});
    const auto answer = future.result();
    ASSERT_EQ(answer.entries.size(), 2u);
    auto* worker = std::any_cast<const LabelEntry&>(answer.entries[0].entry).thread;
    EXPECT_NE(worker, nullptr);
    EXPECT_NE(worker, QThread::currentThread());

    const auto text = ui::dump(widget.content(answer.entries[0]), {160, 160}, {});
    EXPECT_NE(text.find("first plain"), std::string::npos) << text;
}

TEST(WidgetBundle, KeepsOrderAndRefusesAmbiguousOrMalformedDeclarations) {
    WidgetBundle bundle;
    bundle.add(labelWidget("test.b"));
    bundle.add(labelWidget("test.a", {WidgetFamily::systemLarge}));
    ASSERT_EQ(bundle.widgets().size(), 2u);
    EXPECT_EQ(bundle.widgets()[0].kind(), "test.b");
    EXPECT_EQ(bundle.widgets()[1].kind(), "test.a");
    EXPECT_EQ(bundle.find("test.a")->supportedFamilies().front(), WidgetFamily::systemLarge);
    EXPECT_EQ(bundle.find("test.c"), nullptr);

    EXPECT_THROW(bundle.add(labelWidget("test.b", {WidgetFamily::systemMedium})), std::invalid_argument);
    EXPECT_THROW(bundle.add(labelWidget("")), std::invalid_argument);
    EXPECT_THROW(bundle.add(labelWidget("test.none", {})), std::invalid_argument);
    EXPECT_THROW(bundle.add(labelWidget("test.two", {WidgetFamily::systemSmall, WidgetFamily::systemMedium})),
                 std::invalid_argument);
    EXPECT_EQ(bundle.widgets().size(), 2u);
}

TEST(WidgetFamily, DesignSizesAndNames) {
    EXPECT_EQ(designSize(WidgetFamily::systemSmall), (ui::Size{160, 160}));
    EXPECT_EQ(designSize(WidgetFamily::systemMedium), (ui::Size{344, 160}));
    EXPECT_EQ(designSize(WidgetFamily::systemLarge), (ui::Size{344, 344}));
    for (auto f : {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge})
        EXPECT_EQ(familyNamed(familyName(f)), f);
    EXPECT_FALSE(familyNamed("small"));
    for (auto m : {RequestMode::placeholder, RequestMode::snapshot, RequestMode::preview, RequestMode::timeline})
        EXPECT_EQ(modeNamed(modeName(m)), m);
    EXPECT_FALSE(modeNamed("live"));
}

// Runs inside the test command's private session bus, which the suites
// running beside this one share: they may send reloads of their own, so this
// one asks for a kind no other sends and looks for its two requests in order.
TEST(WidgetCenter, ReloadRequestsReachAListenerOverTheSessionBus) {
    // The names are the program's to give; until then nothing travels.
    WidgetCenter::setBusNames({});
    EXPECT_FALSE(WidgetCenter::reloadAllTimelines());
    EXPECT_FALSE(WidgetReloadListener([](const auto&) {}).isListening());
    WidgetCenter::setBusNames({"/test/plyx/WidgetCenter", "test.plyx.WidgetCenter"});

    std::vector<std::optional<std::string>> heard;
    WidgetReloadListener listener([&](const std::optional<std::string>& kind) { heard.push_back(kind); });
    if (!listener.isListening()) GTEST_SKIP() << "no session bus";

    const std::string kind = "plyx.test.reload." + std::to_string(QCoreApplication::applicationPid());
    ASSERT_TRUE(WidgetCenter::reloadTimelines(kind));
    ASSERT_TRUE(WidgetCenter::reloadAllTimelines());
    const auto ours = [&] { return std::find(heard.begin(), heard.end(), std::optional<std::string>(kind)); };
    const auto allAfterOurs = [&] { return ours() != heard.end() && std::find(ours(), heard.end(), std::nullopt) != heard.end(); };
    QDeadlineTimer deadline(5000);
    while (!allAfterOurs() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    EXPECT_NE(ours(), heard.end()) << "the reload of one kind was not heard";
    EXPECT_TRUE(allAfterOurs()) << "the reload of every kind was not heard after it";
}
