#pragma once
// What the widget view suites share: a context whose palette roles are far
// apart (so a dump or a pixel tells them apart), a render moment, and small
// queries over dump lines.
#include "shared/foundation/WCtx.h"
#include "tests/support/dump/DumpLines.h"

#include <string>
#include <vector>

namespace plyx::test {

inline WCtx viewContext(ThemeSettings::LabelStyle labels = ThemeSettings::LabelStyle::monoCaps, double u = 1) {
    WCtx ctx;
    ctx.theme.labels = labels;
    ctx.pal.ink = ui::Color::rgb(1, 1, 1);
    ctx.pal.inkDim = ui::Color::rgb(0.6, 0.6, 0.6);
    ctx.pal.inkFaint = ui::Color::rgb(0.4, 0.4, 0.4);
    ctx.pal.accent = ui::Color::rgb(1, 0, 0);
    ctx.pal.track = ui::Color::rgb(0, 0, 1);
    ctx.pal.fill = ui::Color::rgb(0, 1, 0);
    ctx.pal.hairline = ui::Color::rgb(1, 1, 0);
    ctx.pal.chip = ui::Color::rgb(0, 1, 1);
    ctx.u = u;
    return ctx;
}

inline ui::Environment at(Date now) {
    ui::Environment env;
    env.now = now;
    return env;
}

/// The text of a Text dump line.
inline std::string textOf(const DumpLine& l) { return l.text(); }

/// Every text of a dump, in drawing order.
inline std::vector<std::string> texts(const std::vector<DumpLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : ofKind(lines, "Text")) out.push_back(textOf(l));
    return out;
}

/// The first Text line showing `text`; fails the test when there is none.
inline const DumpLine* textLine(const std::vector<DumpLine>& lines, const std::string& text) {
    for (const auto& l : lines)
        if (l.kind == "Text" && textOf(l) == text) return &l;
    return nullptr;
}

/// The fill colours of the circles in a dump, in drawing order.
inline std::vector<std::string> circleFills(const std::vector<DumpLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : ofKind(lines, "Circle")) out.push_back(l.attr("fill"));
    return out;
}

} // namespace plyx::test
