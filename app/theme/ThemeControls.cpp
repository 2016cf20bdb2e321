#include "app/theme/ThemeControls.h"

#include "app/theme/ThemeFonts.h"

#include <QChildEvent>
#include <QColorDialog>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace plyx {

namespace {
constexpr double kSwatchDiameter = 26;
constexpr double kRingWidth = 2;
constexpr double kRingReach = 3; // how far the outer ring's circle extends beyond the swatch
constexpr int kSwatchBox = int(kSwatchDiameter + 2 * kRingReach);

void fillRounded(QPainter& p, const QRectF& r, double radius, const QColor& c) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    p.fillPath(path, c);
}

// A ring `width` wide drawn inside the border of the circle of `outer` radius.
void ring(QPainter& p, QPointF centre, double outer, double width, const QColor& c) {
    QPainterPath path;
    path.addEllipse(centre, outer, outer);
    path.addEllipse(centre, outer - width, outer - width);
    path.setFillRule(Qt::OddEvenFill);
    p.fillPath(path, c);
}
} // namespace

QColor quinaryFill(const QPalette& palette) {
    QColor c = palette.color(QPalette::WindowText);
    c.setAlphaF(0.05);
    return c;
}

QColor secondaryForeground(const QPalette& palette) {
    QColor c = palette.color(QPalette::WindowText);
    c.setAlphaF(0.55);
    return c;
}

SectionCard::SectionCard(const QString& title, const QString& subtitle, QWidget* parent) : QFrame(parent) {
    auto* titleLabel = new QLabel(title, this);
    titleLabel->setObjectName("sectionTitle");
    titleLabel->setFont(ThemeFonts::system(13.5, ui::FontWeight::semibold));
    auto* subtitleLabel = new QLabel(subtitle, this);
    subtitleLabel->setObjectName("sectionSubtitle");
    subtitleLabel->setFont(ThemeFonts::system(11.5));
    QPalette pal = subtitleLabel->palette();
    pal.setColor(QPalette::WindowText, secondaryForeground(pal));
    subtitleLabel->setPalette(pal);

    content_ = new QVBoxLayout;
    content_->setContentsMargins(0, 0, 0, 0);
    content_->setSpacing(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 18);
    layout->setSpacing(0);
    layout->addWidget(titleLabel);
    layout->addSpacing(2);
    layout->addWidget(subtitleLabel);
    layout->addSpacing(14);
    layout->addLayout(content_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
}

void SectionCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    fillRounded(p, rect(), 16, quinaryFill(palette()));
}

OptionCard::OptionCard(QWidget* parent) : QAbstractButton(parent) {
    content_ = new QVBoxLayout(this);
    content_->setContentsMargins(14, 14, 14, 12);
    content_->setSpacing(0);
    content_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setCursor(Qt::PointingHandCursor);
}

QSize OptionCard::sizeHint() const { return content_->sizeHint(); }
QSize OptionCard::minimumSizeHint() const { return content_->minimumSize(); }

void OptionCard::childEvent(QChildEvent* event) {
    // The card is one button: its labels must not take the clicks.
    if (event->added() && event->child()->isWidgetType())
        static_cast<QWidget*>(event->child())->setAttribute(Qt::WA_TransparentForMouseEvents);
    QAbstractButton::childEvent(event);
}

void OptionCard::setSelected(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    update();
}

QColor OptionCard::outlineColor() const {
    // The interface's own accent, not the edited one.
    return selected_ ? palette().color(QPalette::Highlight) : QColor(Qt::transparent);
}

void OptionCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    fillRounded(p, r, 12, quinaryFill(palette()));
    // Stroked inside the border: the outline takes no room of its own.
    QPainterPath outer, inner;
    outer.addRoundedRect(r, 12, 12);
    inner.addRoundedRect(r.adjusted(2, 2, -2, -2), 10, 10);
    p.fillPath(outer.subtracted(inner), outlineColor());
}

Swatch::Swatch(QColor color, QWidget* parent) : QAbstractButton(parent), color_(color) {
    setFixedSize(kSwatchBox, kSwatchBox);
    setCursor(Qt::PointingHandCursor);
}

QSize Swatch::sizeHint() const { return {kSwatchBox, kSwatchBox}; }

void Swatch::setSelected(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    update();
}

void Swatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    const double r = kSwatchDiameter / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(color_);
    p.drawEllipse(c, r, r);
    if (!selected_) return;
    // Radius 13: the background ring covers 10 to 12, the colour ring 14 to 16.
    ring(p, c, r - 1, kRingWidth, palette().color(QPalette::Window));
    ring(p, c, r + kRingReach, kRingWidth, color_);
}

ColorWell::ColorWell(QColor color, QWidget* parent) : QAbstractButton(parent), color_(color) {
    setFixedSize(kSwatchBox, kSwatchBox);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, &ColorWell::openPicker);
}

QSize ColorWell::sizeHint() const { return {kSwatchBox, kSwatchBox}; }

void ColorWell::setColor(const QColor& color) {
    const QColor opaque = color.toRgb();
    if (opaque.rgb() == color_.rgb()) return;
    color_ = opaque;
    color_.setAlpha(255);
    update();
    emit colorChanged(color_);
}

void ColorWell::openPicker() {
    if (!picker_) {
        picker_ = new QColorDialog(color_, this);
        picker_->setOption(QColorDialog::ShowAlphaChannel, false);
        picker_->setAttribute(Qt::WA_DeleteOnClose);
        connect(picker_, &QColorDialog::colorSelected, this, &ColorWell::setColor);
    }
    picker_->setCurrentColor(color_);
    picker_->open();
}

void ColorWell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(kRingReach, kRingReach, -kRingReach, -kRingReach);
    QPainterPath frame;
    frame.addRoundedRect(box, 6, 6);
    p.fillPath(frame, palette().color(QPalette::Button));
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawPath(frame);
    QPainterPath well;
    well.addRoundedRect(box.adjusted(4, 4, -4, -4), 3, 3);
    p.fillPath(well, color_);
}

} // namespace plyx
