#include "platform/ui/TextLines.h"

#include <algorithm>
#include <cmath>

namespace plyx::ui::detail {

namespace {
const QString kEllipsis = QStringLiteral("\u2026");
} // namespace

QString elide(const Shaper& shaper, const QString& s, double width) {
    if (shaper.advance(s) <= width + kFitTolerance) return s;
    const auto bounds = graphemeBoundaries(s);
    size_t lo = 0, hi = bounds.size() - 1; // largest k with prefix(bounds[k]) + "…" fitting
    auto fits = [&](size_t k) {
        return shaper.advance(s.left(bounds[k]).trimmed() + kEllipsis) <= width + kFitTolerance;
    };
    if (!fits(0)) return kEllipsis;
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (fits(mid)) lo = mid;
        else hi = mid - 1;
    }
    QString head = s.left(bounds[lo]);
    while (!head.isEmpty() && head.back().isSpace()) head.chop(1);
    return head + kEllipsis;
}

std::vector<QString> wrap(const Shaper& shaper, const QString& paragraph, double width) {
    std::vector<QString> lines;
    if (shaper.advance(paragraph) <= width + kFitTolerance) return {paragraph};
    QString current;
    const QStringList words = paragraph.split(u' ');
    for (int i = 0; i < words.size(); ++i) {
        const QString candidate = current.isEmpty() ? words[i] : current + u' ' + words[i];
        if (shaper.advance(candidate) <= width + kFitTolerance) {
            current = candidate;
            continue;
        }
        if (!current.isEmpty()) lines.push_back(current);
        current = words[i];
        // A single word too long for the line: break it where it no longer fits.
        while (shaper.advance(current) > width + kFitTolerance) {
            const auto bounds = graphemeBoundaries(current);
            size_t k = 1;
            while (k + 1 < bounds.size() && shaper.advance(current.left(bounds[k + 1])) <= width + kFitTolerance)
                ++k;
            lines.push_back(current.left(bounds[k]));
            current = current.mid(bounds[k]);
        }
    }
    lines.push_back(current);
    return lines;
}

TextLayout layLines(const Shaper& shaper, const QStringList& paragraphs, const TextStyle& style,
                    ProposedSize p) {
    TextLayout l;
    l.scale = shaper.scale();
    l.lineHeight = shaper.lineHeight();
    l.ascent = shaper.ascent();
    l.gap = style.lineSpacing;
    const bool bounded = p.width && std::isfinite(*p.width);
    const double width = bounded ? std::max(0.0, *p.width) : infinity;

    std::vector<QString> lines;
    for (const auto& para : paragraphs) {
        if (!bounded) {
            lines.push_back(para);
        } else {
            for (auto& line : wrap(shaper, para, width)) lines.push_back(std::move(line));
        }
    }

    size_t maxLines = style.lineLimit ? size_t(*style.lineLimit) : lines.size();
    if (p.height && std::isfinite(*p.height) && l.lineHeight + l.gap > 0) {
        // As many lines as the offered height holds, but always one.
        const double fit = std::floor((*p.height + l.gap + kFitTolerance) / (l.lineHeight + l.gap));
        if (std::isfinite(fit)) maxLines = std::min(maxLines, size_t(std::clamp(fit, 1.0, double(lines.size()) + 1)));
    }
    maxLines = std::max<size_t>(maxLines, 1);
    if (lines.size() > maxLines) {
        QString rest = lines[maxLines - 1];
        for (size_t i = maxLines; i < lines.size(); ++i) rest += u' ' + lines[i];
        lines.resize(maxLines);
        lines.back() = bounded ? elide(shaper, rest + kEllipsis, width) : lines.back() + kEllipsis;
        // The text was cut: the ellipsis must show even when what is left happens to fit.
        if (!lines.back().endsWith(kEllipsis)) lines.back() += kEllipsis;
        l.cut = true;
    }
    for (auto& line : lines) {
        if (bounded && shaper.advance(line) > width + kFitTolerance) {
            line = elide(shaper, line, width);
            l.cut = true;
        }
    }

    double w = 0;
    for (const auto& line : lines) w = std::max(w, shaper.advance(line));
    if (bounded) w = std::min(w, width);
    l.size = {w, double(lines.size()) * l.lineHeight + double(lines.size() > 0 ? lines.size() - 1 : 0) * l.gap};
    l.lines = std::move(lines);
    return l;
}

} // namespace plyx::ui::detail
