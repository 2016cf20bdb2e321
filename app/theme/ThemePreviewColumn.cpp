#include "app/theme/ThemePreviewColumn.h"

#include "app/theme/ThemeFonts.h"
#include "app/theme/ThemePreview.h"
#include "platform/ui/widget/ViewWidget.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace plyx {

namespace {
constexpr int kPadding = 20;
constexpr int kCardSpacing = 18;
constexpr double kCornerRadius = 16;

QColor qcolor(int r, int g, int b, double alpha = 1) { return QColor::fromRgbF(r / 255.0, g / 255.0, b / 255.0, alpha); }
} // namespace

ThemePreviewColumn::ThemePreviewColumn(QWidget* parent) : QWidget(parent) {
    using namespace ThemePreview;
    setObjectName("previewColumn");
    setFixedWidth(kColumnWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

    auto* caption = new QLabel(kCaption, this);
    caption->setObjectName("previewCaption");
    caption->setFont(ThemeFonts::fragmentMono(9, 2));
    QPalette capPal = caption->palette();
    capPal.setColor(QPalette::WindowText, QColor::fromRgbF(1, 1, 1, 0.5));
    caption->setPalette(capPal);

    for (size_t i = 0; i < cards.size(); ++i) {
        auto* w = new ui::ViewWidget(this);
        w->setFixedSize(int(cards[i].frame.width), int(cards[i].frame.height));
        w->setEnvironment(environment());
        // Every card casts the same shadow: black at half opacity, 7 down.
        auto* shadow = new QGraphicsDropShadowEffect(w);
        shadow->setColor(QColor::fromRgbF(0, 0, 0, 0.5));
        shadow->setBlurRadius(15);
        shadow->setOffset(0, 7);
        w->setGraphicsEffect(shadow);
        cards_[i] = w;
    }
    cards_[size_t(Sample::clock)]->setObjectName("card.clock");
    cards_[size_t(Sample::weather)]->setObjectName("card.weather");
    cards_[size_t(Sample::battery)]->setObjectName("card.battery");

    apply_ = new QPushButton(kApply, this);
    apply_->setObjectName("applyButton");
    QFont applyFont = ThemeFonts::system(13.5, ui::FontWeight::bold);
    apply_->setFont(applyFont);
    apply_->setCursor(Qt::PointingHandCursor);
    // The prominent bordered look, tinted with the design's blue.
    apply_->setStyleSheet(QStringLiteral("QPushButton { background: #0A84FF; color: white; border: none;"
                                         " border-radius: 8px; padding: 10px 12px; }"
                                         "QPushButton:hover { background: #2893FF; }"
                                         "QPushButton:pressed { background: #0870D9; }"));
    connect(apply_, &QPushButton::clicked, this, &ThemePreviewColumn::applyClicked);

    auto* smalls = new QHBoxLayout;
    smalls->setSpacing(kCardSpacing);
    smalls->addWidget(cards_[size_t(Sample::weather)]);
    smalls->addWidget(cards_[size_t(Sample::battery)]);
    auto* block = new QVBoxLayout;
    block->setSpacing(kCardSpacing);
    block->addWidget(cards_[size_t(Sample::clock)], 0, Qt::AlignHCenter);
    block->addLayout(smalls);
    block->setAlignment(smalls, Qt::AlignHCenter);

    // Two equal stretches keep the cards in the middle and the caption and
    // button at the ends, whatever height the page gives.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->setSpacing(0);
    column->addWidget(caption, 0, Qt::AlignLeft);
    column->addStretch(1);
    column->addLayout(block);
    column->addStretch(1);
    column->addWidget(apply_);
}

void ThemePreviewColumn::setTheme(const ThemeSettings& theme) {
    for (size_t i = 0; i < cards_.size(); ++i) cards_[i]->setView(ThemePreview::cardView(ThemePreview::cards[i], theme));
}

void ThemePreviewColumn::setApplied(bool applied) {
    apply_->setText(applied ? ThemePreview::kApplied : ThemePreview::kApply);
}

void ThemePreviewColumn::paintEvent(QPaintEvent*) {
    // The same dark backdrop in light and dark appearance: a deep navy with
    // two soft glows, clipped to a rounded rectangle.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    QPainterPath clip;
    clip.addRoundedRect(r, kCornerRadius, kCornerRadius);
    p.setClipPath(clip);
    p.fillRect(r, qcolor(13, 15, 24));
    auto glow = [&](QColor c, double ux, double uy, double radius) {
        QRadialGradient g(QPointF(r.width() * ux, r.height() * uy), radius);
        g.setColorAt(0, c);
        c.setAlphaF(0);
        g.setColorAt(1, c);
        p.fillRect(r, g);
    };
    glow(qcolor(56, 72, 127), 0.18, 0.08, 420);
    glow(qcolor(94, 51, 88), 0.88, 0.92, 400);
}

} // namespace plyx
