#include "shared/views/media/MediaButton.h"
#include "shared/views/media/NowPlayingView.h"
#include "shared/views/media/RemoteView.h"

#include "platform/intents/AppIntent.h"
#include "shared/intents/MediaCommandIntent.h"
#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plyx;
using test::DumpLine;

namespace {

constexpr Date kNow{800'000'000};


NowPlayingSnapshot track(std::int64_t position, std::int64_t duration, bool playing) {
    return NowPlayingSnapshot{"Song", "A", position, duration, playing, kNow};
}


std::vector<std::string> symbols(const std::vector<DumpLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (l.kind == "Image") out.push_back(l.attr("symbol"));
    return out;
}

std::vector<std::string> actions(const std::vector<DumpLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (l.kind == "Button") out.push_back(l.attrs);
    return out;
}

// The accent capsule of the still bar, when drawn.
const DumpLine* accentBar(const std::vector<DumpLine>& lines, const WCtx& ctx) {
    for (const auto& l : lines)
        if (l.kind == "Capsule" && l.attr("fill") == test::hex(ctx.pal.accent)) return &l;
    return nullptr;
}

} // namespace

TEST(NowPlayingView, SubtitleShowsThePositionOnlyOnceSomethingHasPlayed) {
    const std::pair<std::optional<NowPlayingSnapshot>, const char*> cases[] = {
        {std::nullopt, "Play something in Music"},
        {track(65, 225, true), "A \u00B7 1:05 / 3:45"},
        {track(0, 225, true), "A \u00B7 3:45"},
        {track(-5, 225, false), "A \u00B7 3:45"},
        {track(60, 4500, true), "A \u00B7 1:00 / 75:00"},
    };
    for (const auto& [data, want] : cases) EXPECT_EQ(NowPlayingView::subtitle(data), want);
}

TEST(NowPlayingView, NothingPausedAndPlayingStates) {
    const auto ctx = test::viewContext();
    constexpr ui::Size size{344, 160};
    struct Case {
        const char* name;
        std::optional<NowPlayingSnapshot> data;
        const char* title;
        const char* middle;
        bool live;
        double accentWidth; // of the still bar; 0 for the live bar
    };
    // The bar spans 344 - 2 * 26 = 292 points.
    const Case cases[] = {
        {"nothing", std::nullopt, "Nothing playing", "play.fill", false, 4},
        {"paused halfway", track(100, 200, false), "Song", "play.fill", false, 146},
        {"playing a stream", track(30, 0, true), "Song", "pause.fill", false, 4},
        {"playing", track(30, 200, true), "Song", "pause.fill", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::Environment env;
        env.now = kNow;
        const auto lines = test::dumpLines(NowPlayingView{c.data, ctx}.body(), size, env);
        const auto* title = test::textLine(lines, c.title);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->attr("color"), test::hex(c.data ? ctx.pal.ink : ctx.pal.inkDim));
        EXPECT_EQ(symbols(lines), (std::vector<std::string>{"backward.fill", c.middle, "forward.fill"}));
        EXPECT_EQ(NowPlayingView::isLive(c.data), c.live);
        if (!c.live) {
            const auto* bar = accentBar(lines, ctx);
            ASSERT_NE(bar, nullptr);
            EXPECT_NEAR(bar->width, c.accentWidth, 0.5);
        }
        // The equaliser dims only for a paused track.
        const bool dimmed = std::any_of(lines.begin(), lines.end(), [](const DumpLine& l) {
            return l.kind == "opacity" && l.attr("value") == "0.35";
        });
        EXPECT_EQ(dimmed, c.data && !c.data->isPlaying);
    }
}

TEST(MediaButtons, EachButtonCarriesItsCommand) {
    const auto ctx = test::viewContext();
    EXPECT_STREQ(MediaButton::symbol("shuffle", true), "pause.fill");
    EXPECT_STREQ(MediaButton::symbol("shuffle", false), "play.fill");
    const auto lines = test::dumpLines(RemoteView{true, ctx}.body(), {160, 160});
    const auto buttons = actions(lines);
    ASSERT_EQ(buttons.size(), 3u);
    const char* commands[] = {"previous", "playpause", "next"};
    for (int i = 0; i < 3; ++i) {
        const std::string carried = intents::serialise(MediaCommandIntent(commands[i]));
        EXPECT_NE(buttons[i].find(carried), std::string::npos) << buttons[i] << " vs " << carried;
    }
    EXPECT_EQ(symbols(lines), (std::vector<std::string>{"backward.fill", "pause.fill", "forward.fill"}));
}
