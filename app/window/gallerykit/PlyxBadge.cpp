#include "app/window/gallerykit/PlyxBadge.h"

#include "shared/foundation/PlyxFonts.h"

#include <QPainter>
#include <QPainterPath>

namespace plyx {

namespace {
constexpr QColor kFill{17, 17, 17};
constexpr QColor kInk{245, 245, 245};
} // namespace

PlyxBadge::PlyxBadge(int side, double cornerRadius, double letterPoints, QWidget* parent)
    : QWidget(parent), radius_(cornerRadius), letterPoints_(letterPoints) {
    setFixedSize(side, side);
}

void PlyxBadge::paintEvent(QPaintEvent*) {
    PlyxFonts::registered();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), radius_, radius_);
    p.fillPath(path, kFill);
    // Bold dot-matrix numerals are drawn in the face's black weight.
    QFont font(QString::fromStdString(PlyxFonts::dotoFamily()));
    font.setPixelSize(int(letterPoints_ + 0.5));
    font.setWeight(QFont::Black);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("P"));
}

} // namespace plyx
