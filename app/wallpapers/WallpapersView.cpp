#include "app/wallpapers/WallpapersView.h"

#include "app/wallpapers/WallpaperApplier.h"
#include "app/wallpapers/WallpaperCard.h"
#include "app/wallpapers/WallpaperGrid.h"
#include "app/wallpapers/WallpaperPreviewSheet.h"
#include "app/wallpapers/WallpaperStyle.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace plyx {

namespace {
constexpr const char* kTitle = "Wallpapers";
constexpr const char* kSubtitleTail = " wallpapers · made for Plyx";
constexpr const char* kToneLabel = "Tone";
constexpr const char* kAllLabel = "All";
// The "All" segment's id in the button group (tones use their own values;
// negative ids are the group's to assign).
constexpr int kAllID = 100;
} // namespace

WallpapersView::WallpapersView(QWidget* parent)
    : QWidget(parent), items_(WallpaperItem::loadAll()),
      appliedID_(WallpaperApplier::currentlyAppliedID().value_or("")) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The header: title and subtitle on the left, the tone picker centred.
    // Two equal side columns keep the picker in the middle of the pane.
    auto* header = new QWidget(this);
    auto* headerRow = new QGridLayout(header);
    headerRow->setContentsMargins(20, 14, 20, 10);
    headerRow->setColumnStretch(0, 1);
    headerRow->setColumnStretch(2, 1);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(1);
    title_ = new QLabel(kTitle, header);
    title_->setFont(WallpaperStyle::headlineFont());
    subtitle_ = new QLabel(header);
    subtitle_->setFont(WallpaperStyle::captionFont());
    QPalette sub = subtitle_->palette();
    sub.setColor(QPalette::WindowText, WallpaperStyle::hierarchical(palette(), WallpaperStyle::kSecondary));
    subtitle_->setPalette(sub);
    titles->addWidget(title_);
    titles->addWidget(subtitle_);
    headerRow->addLayout(titles, 0, 0);

    auto* picker = new QWidget(header);
    picker->setAccessibleName(kToneLabel);
    picker->setToolTip(kToneLabel);
    auto* segments = new QHBoxLayout(picker);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(0);
    tones_ = new QButtonGroup(this);
    tones_->setExclusive(true);
    auto addSegment = [&](const QString& label, int id) {
        auto* b = new QToolButton(picker);
        b->setText(label);
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setMinimumWidth(64);
        tones_->addButton(b, id);
        segments->addWidget(b);
    };
    addSegment(kAllLabel, kAllID);
    for (const auto tone : WallpaperItem::allTones()) addSegment(WallpaperItem::rawValue(tone), int(tone));
    tones_->button(kAllID)->setChecked(true);
    connect(tones_, &QButtonGroup::idClicked, this, [this](int id) {
        setToneFilter(id == kAllID ? std::nullopt : std::optional<WallpaperItem::Tone>(WallpaperItem::Tone(id)));
    });
    headerRow->addWidget(picker, 0, 1, Qt::AlignCenter);
    layout->addWidget(header);

    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_ = new WallpaperGrid;
    scroll_->setWidget(grid_);
    layout->addWidget(scroll_, 1);

    for (const auto& item : items_) {
        auto* card = new WallpaperCard(item, item.id == appliedID_, grid_);
        connect(card, &WallpaperCard::tapped, this, &WallpapersView::openPreview);
        allCards_.push_back(card);
    }
    rebuild();

    // Back from the desktop's settings, the picture may have changed.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) refreshApplied();
    });
}

std::vector<WallpaperItem> WallpapersView::filtered() const {
    if (!toneFilter_) return items_;
    std::vector<WallpaperItem> out;
    for (const auto& item : items_)
        if (item.tone == *toneFilter_) out.push_back(item);
    return out;
}

QString WallpapersView::title() const { return kTitle; }

QString WallpapersView::subtitle() const { return QString::number(filtered().size()) + kSubtitleTail; }

void WallpapersView::setToneFilter(std::optional<WallpaperItem::Tone> tone) {
    toneFilter_ = tone;
    if (auto* b = tones_->button(tone ? int(*tone) : kAllID)) b->setChecked(true);
    rebuild();
}

std::vector<WallpaperCard*> WallpapersView::cards() const {
    std::vector<WallpaperCard*> out;
    for (auto* c : allCards_)
        if (!toneFilter_ || c->item().tone == *toneFilter_) out.push_back(c);
    return out;
}

void WallpapersView::rebuild() {
    const auto shown = cards();
    grid_->setTiles(std::vector<QWidget*>(shown.begin(), shown.end()), WallpaperCard::cardHeight());
    subtitle_->setText(subtitle());
    setWindowTitle(kTitle);
}

void WallpapersView::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    refreshApplied();
}

void WallpapersView::refreshApplied() { setAppliedID(WallpaperApplier::currentlyAppliedID().value_or("")); }

void WallpapersView::setAppliedID(const std::string& id) {
    appliedID_ = id;
    for (auto* c : allCards_) c->setApplied(c->item().id == appliedID_);
    if (sheet_) sheet_->appliedIDChanged();
}

void WallpapersView::openPreview(const WallpaperItem& item) {
    if (sheet_ && sheet_->isVisible()) return;
    // A sheet hidden with every other window (the application stepped aside
    // and came back without it) is done with: the card clicked now opens its own.
    if (sheet_) {
        WallpaperPreviewSheet* stale = sheet_;
        sheet_.clear();
        stale->done(QDialog::Rejected);
    }
    previewItem_ = item;
    sheet_ = new WallpaperPreviewSheet(
        item, {[this] { return appliedID_; }, [this](const std::string& id) { setAppliedID(id); }}, this);
    sheet_->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet_, &QDialog::finished, this, [this] { previewItem_.reset(); });
    sheet_->open();
}

} // namespace plyx
