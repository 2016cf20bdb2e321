#include "app/sheets/SheetParts.h"

#include "platform/ui/Symbols.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QToolButton>

namespace plyx::sheets {

namespace {
constexpr int kSymbolSize = 16;

QPixmap tinted(QSvgRenderer& svg, const QColor& color, int pixels) {
    QPixmap pm(pixels, pixels);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    svg.render(&p, QRectF(0, 0, pixels, pixels));
    // The icon files are drawn in black: keep their shape, take the colour.
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(pm.rect(), color);
    return pm;
}
} // namespace

QColor foreground(const QWidget& on, Level level) {
    QColor c = on.palette().color(QPalette::WindowText);
    switch (level) {
    case Level::primary: break;
    case Level::secondary: c.setAlphaF(0.55f); break;
    case Level::tertiary: c.setAlphaF(0.35f); break;
    }
    return c;
}

QColor qcolor(const ui::Color& c) { return QColor::fromRgbF(float(c.r), float(c.g), float(c.b), float(c.a)); }

QIcon symbolIcon(const std::string& name, const QColor& color) {
    QIcon icon;
    QSvgRenderer svg(QString::fromStdString(ui::symbolFile(name)));
    if (!svg.isValid()) return icon;
    for (int scale : {1, 2}) {
        QPixmap pm = tinted(svg, color, kSymbolSize * scale);
        pm.setDevicePixelRatio(scale);
        icon.addPixmap(pm);
    }
    return icon;
}

QToolButton* symbolButton(QWidget* parent, const char* objectName) {
    auto* b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::TabFocus);
    b->setIconSize(QSize(kSymbolSize, kSymbolSize));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

void setSymbol(QToolButton* button, const std::string& name, const QColor& color) {
    button->setIcon(symbolIcon(name, color));
    button->setProperty("symbol", QString::fromStdString(name));
}

QVBoxLayout* openSheet(QDialog& sheet, const char* objectName, const QString& title, QSize size) {
    sheet.setObjectName(objectName);
    sheet.setWindowTitle(title);
    sheet.setWindowModality(Qt::WindowModal);
    sheet.setFixedSize(size);
    auto* into = new QVBoxLayout(&sheet);
    into->setContentsMargins(0, 0, 0, 0);
    into->setSpacing(0);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(16, 16, 16, 16);
    auto* label = new QLabel(title, &sheet);
    label->setObjectName("title");
    QFont headline = label->font();
    headline.setPixelSize(13);
    headline.setBold(true);
    label->setFont(headline);
    header->addWidget(label);
    header->addStretch(1);
    auto* done = new QPushButton(QObject::tr("Done"), &sheet);
    done->setObjectName("done");
    done->setDefault(true);
    QObject::connect(done, &QPushButton::clicked, &sheet, &QDialog::accept);
    header->addWidget(done);
    into->addLayout(header);

    auto* divider = new QFrame(&sheet);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setStyleSheet("color: rgba(128, 128, 128, 90);");
    into->addWidget(divider);
    return into;
}

QLabel* emptyText(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName("emptyText");
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    QFont f = label->font();
    f.setPixelSize(12);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, foreground(*parent, Level::secondary));
    label->setPalette(pal);
    return label;
}

} // namespace plyx::sheets
