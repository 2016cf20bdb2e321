#include "app/notes/WrappedText.h"

#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace plyx {

namespace {
// Lays `text` out in lines of `width`; calls `each` with every line placed.
template <class F> qreal layOut(QTextLayout& layout, qreal width, F each) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        each(line);
    }
    layout.endLayout();
    return y;
}
} // namespace

WrappedText::WrappedText(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent), text_(text), color_(color) {
    // A text layout breaks lines only at line separators.
    laidOut_ = text;
    laidOut_.replace(QLatin1Char('\n'), QChar::LineSeparator);
    setFont(font);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int WrappedText::lineCount(int width) const {
    QTextLayout layout(laidOut_, font());
    int n = 0;
    layOut(layout, std::max(1, width), [&](const QTextLine&) { ++n; });
    return n;
}

int WrappedText::heightForWidth(int width) const {
    QTextLayout layout(laidOut_, font());
    return int(std::ceil(layOut(layout, std::max(1, width), [](const QTextLine&) {})));
}

QSize WrappedText::sizeHint() const {
    const int w = std::min(fontMetrics().horizontalAdvance(laidOut_) + 1, 320);
    return QSize(w, heightForWidth(w));
}

QSize WrappedText::minimumSizeHint() const { return QSize(fontMetrics().averageCharWidth() * 4, fontMetrics().height()); }

void WrappedText::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(color_);
    QTextLayout layout(laidOut_, font());
    layOut(layout, width(), [](const QTextLine&) {});
    layout.draw(&p, QPointF(0, 0));
}

} // namespace plyx
