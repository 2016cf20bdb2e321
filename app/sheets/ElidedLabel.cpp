#include "app/sheets/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace plyx::sheets {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QString ElidedLabel::shownText() const {
    // Line by line: a name may hold its own line breaks, and each line is cut
    // on its own.
    const QFontMetrics metrics(font());
    const int width = contentsRect().width();
    QStringList lines = text().split(u'\n');
    for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines.join(u'\n');
}

QSize ElidedLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), int(alignment()), palette(), isEnabled(), shownText(), foregroundRole());
}

} // namespace plyx::sheets
