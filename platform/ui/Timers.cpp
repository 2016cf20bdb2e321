#include "platform/ui/Timers.h"

#include "platform/ui/Element.h"
#include "platform/ui/Shape.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plyx::ui::detail {
namespace {

using MomentContent = std::function<View(Date)>;
using CountsAt = std::function<bool(Date)>;

// The part of a tree made from the render moment. It keeps what it was built
// from, so it can build again for a later moment in the same place.
class MomentElement final : public Element {
public:
    MomentElement(MomentContent content, CountsAt counts, const BuildContext& ctx)
        : content_(std::move(content)), counts_(std::move(counts)), ctx_(ctx) {
        children_.push_back(buildContent());
        layoutPriority = child().layoutPriority;
    }
    const char* kind() const override { return "Moment"; }
    bool standsIn() const override { return true; }
    bool isSpacer() const override { return child().isSpacer(); }
    bool isEmpty() const override { return child().isEmpty(); }
    bool ignoresProposal() const override { return child().ignoresProposal(); }
    double firstBaseline(Size size) override { return child().firstBaseline(size); }
    double lastBaseline(Size size) override { return child().lastBaseline(size); }

    bool advance(Date now) override {
        ctx_.env.now = now;
        auto next = buildContent();
        // The parent placed this part by what it answered; a part that would
        // answer otherwise moves its neighbours, so the whole tree lays out again.
        if (!answersLike(*next)) return false;
        next->place(frame_);
        children_.front() = std::move(next);
        return true;
    }

protected:
    Size measure(ProposedSize p) override { return child().sizeThatFits(p); }
    void arrange(Rect frame) override { child().place(frame); }

private:
    Element& child() const { return *children_.front(); }
    ElementPtr buildContent() {
        if (ctx_.notes && counts_ && counts_(ctx_.env.now)) ctx_.notes->countsTime = true;
        built_ = content_ ? content_(ctx_.env.now) : View();
        return buildChild(built_, ctx_);
    }

    MomentContent content_;
    CountsAt counts_;
    BuildContext ctx_;
    View built_; // keeps the content's nodes alive while its elements live
};

struct MomentNode final : Node {
    MomentContent content;
    CountsAt counts;
    ElementPtr build(const BuildContext& ctx) const override {
        return std::make_unique<MomentElement>(content, counts, ctx);
    }
};

View momentView(MomentContent content, CountsAt counts) {
    auto n = std::make_shared<MomentNode>();
    n->content = std::move(content);
    n->counts = std::move(counts);
    return View(n);
}

// Whether a timer over `from`…`to` shows something else a second after `now`:
// it runs then, for at least a moment.
CountsAt runsWithin(Date from, Date to) {
    return [=](Date now) { return now < to && now + 1 > from; };
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

View ReadMoment(std::function<View(Date now)> content) { return detail::momentView(std::move(content), nullptr); }

std::string timerString(Date from, Date to, Date now, bool countsDown, bool showsHours) {
    const double length = std::max(0.0, to - from);
    double seconds = countsDown ? std::clamp(to - now, 0.0, length) : std::clamp(now - from, 0.0, length);
    if (!std::isfinite(seconds)) seconds = 0;
    // Whole seconds, and never more than a 64-bit count can hold (an interval to the distant future).
    seconds = countsDown ? std::ceil(seconds - 1e-9) : std::floor(seconds + 1e-9);
    const long long total = (long long)std::min(seconds, 9.0e15);
    const long long s = total % 60;
    char buf[48];
    if (showsHours && total >= 3600) {
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", total / 3600, (total / 60) % 60, s);
    } else {
        std::snprintf(buf, sizeof buf, "%lld:%02lld", total / 60, s);
    }
    return buf;
}

View TimerText(Date from, Date to, bool countsDown, bool showsHours) {
    return detail::momentView([=](Date now) { return Text(timerString(from, to, now, countsDown, showsHours)); },
                              detail::runsWithin(from, to));
}

double timerFraction(Date from, Date to, Date now, bool countsDown) {
    const double length = to - from;
    double passed = length > 0 ? std::clamp((now - from) / length, 0.0, 1.0) : 1.0;
    if (!std::isfinite(passed)) passed = 0;
    return countsDown ? 1.0 - passed : passed;
}

View TimerProgress(Date from, Date to, bool countsDown, const Color& tint) {
    return detail::momentView([=](Date now) {
        const double f = timerFraction(from, to, now, countsDown);
        return GeometryReader([=](Size size) {
            return ZStack({Capsule().fill(tint.opacity(0.2)), Capsule().fill(tint).frame(size.width * f, std::nullopt)},
                          Alignment::leading);
        }).frame(std::nullopt, kTimerProgressHeight);
    }, detail::runsWithin(from, to));
}

} // namespace plyx::ui
