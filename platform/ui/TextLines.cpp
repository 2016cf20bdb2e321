#include "platform/ui/TextLines.h"

#include <algorithm>
#include <cmath>

namespace plyx::ui::detail {

namespace {
const QString kEllipsis = QStringLiteral("\u2026");
/// No text has this many lines; a limit this high is none.
constexpr size_t kUnlimited = size_t(1) << 30;
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

namespace {

/// Paragraphs longer than this are not measured whole before wrapping: no line
/// holds them, and measuring one costs in proportion to its length.
constexpr int kWholeLineCheck = 512;

bool fits(const Shaper& shaper, const QString& s, double width) {
    return shaper.advance(s) <= width + kFitTolerance;
}

/// The grapheme index past the longest run of `word`'s graphemes from
/// `bounds[from]` that fits in `width`, taking at least one. The run is found
/// by doubling and then halving, so a line costs a few measurements of at
/// most twice its length, however long the word.
std::size_t fittingRun(const Shaper& shaper, const QString& word, const std::vector<int>& bounds, std::size_t from,
                       double width) {
    const std::size_t last = bounds.size() - 1;
    auto fitsTo = [&](std::size_t k) { return fits(shaper, word.mid(bounds[from], bounds[k] - bounds[from]), width); };
    std::size_t good = std::min(from + 1, last), bad = last + 1;
    for (std::size_t step = 2; good < last; step *= 2) {
        const std::size_t k = std::min(from + step, last);
        if (!fitsTo(k)) {
            bad = k;
            break;
        }
        good = k;
    }
    while (bad <= last && bad - good > 1) {
        const std::size_t mid = good + (bad - good) / 2;
        if (fitsTo(mid)) good = mid;
        else bad = mid;
    }
    return good;
}

} // namespace

std::vector<QString> wrap(const Shaper& shaper, const QString& paragraph, double width, std::size_t maxLines) {
    if (maxLines == 0) return {};
    if (paragraph.size() <= kWholeLineCheck && fits(shaper, paragraph, width)) return {paragraph};
    std::vector<QString> lines;
    QString current;
    // Words are taken one at a time, and the wrap stops at the line limit:
    // what lies past it is never measured.
    for (qsizetype start = 0; start <= paragraph.size() && lines.size() < maxLines;) {
        qsizetype end = paragraph.indexOf(u' ', start);
        if (end < 0) end = paragraph.size();
        const QString word = paragraph.mid(start, end - start);
        start = end + 1;
        const QString candidate = current.isEmpty() ? word : current + u' ' + word;
        if (fits(shaper, candidate, width)) {
            current = candidate;
            continue;
        }
        if (!current.isEmpty()) lines.push_back(current);
        current = word;
        if (word.size() <= kWholeLineCheck && fits(shaper, word, width)) continue;
        // A single word too long for the line: break it where it no longer fits.
        const auto bounds = graphemeBoundaries(word);
        std::size_t from = 0;
        const std::size_t last = bounds.size() - 1;
        while (lines.size() < maxLines) {
            const std::size_t to = fittingRun(shaper, word, bounds, from, width);
            // The rest fits: it starts the next line.
            if (to == last && fits(shaper, word.mid(bounds[from]), width)) break;
            lines.push_back(word.mid(bounds[from], bounds[to] - bounds[from]));
            from = to;
        }
        current = word.mid(bounds[from]);
    }
    if (lines.size() < maxLines) lines.push_back(current);
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

    size_t maxLines = style.lineLimit ? size_t(*style.lineLimit) : kUnlimited;
    if (p.height && std::isfinite(*p.height) && l.lineHeight + l.gap > 0) {
        // As many lines as the offered height holds, but always one.
        const double fit = std::floor((*p.height + l.gap + kFitTolerance) / (l.lineHeight + l.gap));
        if (std::isfinite(fit)) maxLines = std::min(maxLines, size_t(std::clamp(fit, 1.0, double(kUnlimited))));
    }
    maxLines = std::max<size_t>(maxLines, 1);

    // Lines past the last one shown only feed its ellipsis, and two more are
    // more than that line can take in: laying out the rest of a long text
    // would cost in proportion to what is never drawn.
    const size_t wanted = maxLines >= kUnlimited ? kUnlimited : maxLines + 2;
    std::vector<QString> lines;
    for (const auto& para : paragraphs) {
        if (lines.size() >= wanted) break;
        if (!bounded) {
            lines.push_back(para);
        } else {
            for (auto& line : wrap(shaper, para, width, wanted - lines.size())) lines.push_back(std::move(line));
        }
    }
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
