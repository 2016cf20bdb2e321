#include "app/window/gallerykit/AddWidgetGuide.h"

#include "app/window/gallerykit/DesignFont.h"
#include "app/window/gallerykit/PlyxBadge.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxTokens.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace plyx {

namespace {

constexpr const char* kStep1 = "Plyx puts a new widget at the **top left** of your desktop, below your windows.";
constexpr const char* kStep2 = "Drag a widget anywhere onto your desktop \u2014 it stays where you drop it.";
/// Step 3 around the bold name, or around "any widget".
constexpr const char* kStep3Start = "Right-click ";
constexpr const char* kStep3End = " and choose **Edit Widget\u2026** to change it, or **Remove Widget** to take it away.";
constexpr const char* kAnyWidget = "any widget";

// The text styles: headline, subheadline, body of a step, caption.
constexpr double kHeadlinePoints = 13;
constexpr double kSubheadlinePoints = 11;
constexpr double kStepPoints = 13;
constexpr double kCaptionPoints = 10;

QColor qColor(const ui::Color& c) { return QColor::fromRgbF(float(c.r), float(c.g), float(c.b), float(c.a)); }

/// A number on a red disc.
class StepNumber : public QWidget {
public:
    StepNumber(int number, QWidget* parent) : QWidget(parent), number_(number) { setFixedSize(22, 22); }

protected:
    void paintEvent(QPaintEvent*) override {
        PlyxFonts::registered();
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(qColor(PlyxTokens::nothingRed));
        p.drawEllipse(rect());
        QFont font(QString::fromStdString(PlyxFonts::fragmentMonoFamily()));
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, QString::number(number_));
    }

private:
    int number_;
};

/// The steps' panel: a faint rounded plate.
class Panel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QColor fill = palette().color(QPalette::WindowText);
        fill.setAlphaF(0.05);
        QPainterPath path;
        path.addRoundedRect(QRectF(rect()), 12, 12);
        p.fillPath(path, fill);
    }
};

QLabel* secondary(const QString& text, double points, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(designFont(label->font(), points));
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

QString AddWidgetGuide::title(const std::optional<QString>& widgetName) {
    const QString subject = widgetName ? QStringLiteral("\u201C%1\u201D").arg(*widgetName) : QStringLiteral("widgets");
    return QStringLiteral("Add %1 to your desktop").arg(subject);
}

std::array<QString, 3> AddWidgetGuide::steps(const std::optional<QString>& widgetName) {
    const QString subject = widgetName ? "**" + *widgetName + "**" : QString(kAnyWidget);
    return {QString::fromUtf8(kStep1), QString::fromUtf8(kStep2),
            QString::fromUtf8(kStep3Start) + subject + QString::fromUtf8(kStep3End)};
}

AddWidgetGuide::AddWidgetGuide(std::optional<QString> widgetName, QWidget* parent)
    : QDialog(parent), widgetName_(std::move(widgetName)) {
    setObjectName("addWidgetGuide");
    setWindowModality(Qt::WindowModal);
    setFixedWidth(kWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(18);

    // 1. The header: the badge, the title and what this sheet is about.
    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(new PlyxBadge(40, 10, 20, this), 0, Qt::AlignVCenter);
    auto* headings = new QVBoxLayout;
    headings->setSpacing(2);
    title_ = new QLabel(title(widgetName_), this);
    title_->setTextFormat(Qt::PlainText);
    title_->setWordWrap(true);
    title_->setFont(designFont(title_->font(), kHeadlinePoints, true));
    headings->addWidget(title_);
    headings->addWidget(secondary(QString::fromUtf8(kSubtitle), kSubheadlinePoints, this));
    header->addLayout(headings, 1);
    column->addLayout(header);

    // 2. The steps, each wrapping as far as it needs, never cut short.
    auto* panel = new Panel(this);
    auto* stepsColumn = new QVBoxLayout(panel);
    stepsColumn->setContentsMargins(16, 16, 16, 16);
    stepsColumn->setSpacing(14);
    const auto texts = steps(widgetName_);
    for (int i = 0; i < 3; ++i) {
        auto* row = new QHBoxLayout;
        row->setSpacing(12);
        row->addWidget(new StepNumber(i + 1, panel), 0, Qt::AlignTop);
        auto* text = new QLabel(panel);
        text->setTextFormat(Qt::MarkdownText);
        text->setText(texts[i]);
        text->setWordWrap(true);
        text->setFont(designFont(text->font(), kStepPoints));
        stepLabels_[i] = text;
        row->addWidget(text, 1, Qt::AlignTop);
        stepsColumn->addLayout(row);
    }
    column->addWidget(panel);

    // 3. The theme note.
    column->addWidget(secondary(QString::fromUtf8(kNote), kCaptionPoints, this));

    // 4. "Done", the default button: Return closes the sheet.
    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    done_ = new QPushButton(kDoneTitle, this);
    done_->setDefault(true);
    done_->setAutoDefault(true);
    connect(done_, &QPushButton::clicked, this, &QDialog::accept);
    footer->addWidget(done_);
    column->addLayout(footer);

    // The width is fixed; the height follows the wrapped texts.
    resize(kWidth, heightForWidth(kWidth));
}

} // namespace plyx
