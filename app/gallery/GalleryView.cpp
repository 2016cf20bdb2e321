#include "app/gallery/GalleryView.h"

#include "app/gallery/GalleryGrid.h"
#include "app/gallery/WidgetGalleryCard.h"
#include "platform/ui/Symbols.h"
#include "shared/foundation/SystemAccent.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/ThemeStore.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace plyx {
namespace {

QIcon symbolIcon(const char* name) { return QIcon(QString::fromStdString(ui::symbolFile(name))); }

// Banner inset: 20 points left and right, 16 on top.
constexpr int kBannerSide = 20;
constexpr int kBannerTop = 16;

} // namespace

GalleryView::GalleryView(ThemeStore& theme, std::optional<Category> category, const QString& searchText,
                         QWidget* parent)
    : QWidget(parent), theme_(theme), category_(category), searchText_(searchText) {
    setObjectName("gallery");

    // The toolbar: title and count at the leading edge, the size picker in
    // the middle, the shortcuts and "Add to Desktop" at the trailing edge.
    auto* toolbar = new QWidget(this);
    auto* bar = new QGridLayout(toolbar);
    bar->setContentsMargins(20, 10, 20, 10);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    title_ = new QLabel(toolbar);
    QFont titleFont = title_->font();
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    subtitle_ = new QLabel(toolbar);
    subtitle_->setForegroundRole(QPalette::PlaceholderText);
    titles->addWidget(title_);
    titles->addWidget(subtitle_);
    bar->addLayout(titles, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);

    auto* picker = new QWidget(toolbar);
    picker->setAccessibleName("Size");
    auto* segments = new QHBoxLayout(picker);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(0);
    sizes_ = new QButtonGroup(picker);
    sizes_->setExclusive(true);
    auto addSegment = [&](const QString& label, int id) {
        auto* b = new QPushButton(label, picker);
        b->setObjectName("size." + label);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        segments->addWidget(b);
        sizes_->addButton(b, id);
    };
    addSegment(kSizeAll, 0);
    for (const auto size : WidgetCatalog::allSizes()) addSegment(WidgetCatalog::label(size), int(size) + 1);
    sizes_->button(0)->setChecked(true);
    connect(sizes_, &QButtonGroup::idClicked, this, [this](int id) {
        setSizeFilter(id == 0 ? std::nullopt : std::optional<Size>(WidgetCatalog::allSizes()[std::size_t(id - 1)]));
    });
    bar->addWidget(picker, 0, 1, Qt::AlignCenter);

    auto* actions = new QHBoxLayout;
    manageNotes_ = new QPushButton(symbolIcon("square.and.pencil"), kManageNotes, toolbar);
    manageNotes_->setObjectName("manageNotes");
    connect(manageNotes_, &QPushButton::clicked, this, [this] {
        if (openNotesManager_.run) openNotesManager_.run();
    });
    manageHabits_ = new QPushButton(symbolIcon("checklist"), kManageHabits, toolbar);
    manageHabits_->setObjectName("manageHabits");
    connect(manageHabits_, &QPushButton::clicked, this, [this] {
        if (onManageHabits_) onManageHabits_();
    });
    add_ = new QPushButton(symbolIcon("plus"), kAddToDesktop, toolbar);
    add_->setObjectName("addToDesktop");
    add_->setDefault(true);
    connect(add_, &QPushButton::clicked, this, [this] {
        if (onAdd_) onAdd_(addTarget());
    });
    actions->addWidget(manageNotes_);
    actions->addWidget(manageHabits_);
    actions->addWidget(add_);
    bar->addLayout(actions, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    bar->setColumnStretch(0, 1);
    bar->setColumnStretch(2, 1);

    // The scrolling part: the banner's place, then the grid.
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* bannerHolder = new QWidget(content);
    bannerArea_ = new QVBoxLayout(bannerHolder);
    bannerArea_->setContentsMargins(kBannerSide, kBannerTop, kBannerSide, 0);
    bannerHolder->hide();
    column->addWidget(bannerHolder);
    grid_ = new GalleryGrid(content);
    column->addWidget(grid_);
    column->addStretch(1);
    scroll_->setWidget(content);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(toolbar);
    outer->addWidget(scroll_, 1);

    // One card per catalog entry, made once; filters only show and hide them,
    // and a card's preview is painted only while it is on screen.
    // The selected border is the desktop's accent, not the theme's; asked once.
    const ui::Color selection = systemAccentColor();
    std::vector<QWidget*> cells;
    for (const auto& w : WidgetCatalog::all()) {
        auto* card = new WidgetGalleryCard(w, theme_.settings(), grid_);
        card->setSelectionColor(selection);
        const std::string kind = w.kind;
        card->setOnTap([this, kind] { tap(kind); });
        cards_[kind] = card;
        cells.push_back(card);
    }
    grid_->setCells(std::move(cells));

    connect(&theme_, &ThemeStore::settingsChanged, this, [this](const ThemeSettings& settings) {
        for (auto& [kind, card] : cards_) card->setTheme(settings);
    });

    relist();
}

GalleryView::~GalleryView() = default;

void GalleryView::setCategory(std::optional<Category> category) {
    category_ = category;
    relist();
}

void GalleryView::setSearchText(const QString& text) {
    searchText_ = text;
    relist();
}

void GalleryView::setSizeFilter(std::optional<Size> size) {
    sizeFilter_ = size;
    if (QAbstractButton* b = sizes_->button(size ? int(*size) + 1 : 0); b && !b->isChecked()) b->setChecked(true);
    relist();
}

void GalleryView::tap(const std::string& kind) {
    if (selectedKind_ == kind)
        selectedKind_.reset();
    else
        selectedKind_ = kind;
    for (auto& [k, card] : cards_) card->setSelected(selectedKind_ == k);
}

std::optional<CatalogWidget> GalleryView::addTarget() const {
    if (!selectedKind_) return std::nullopt;
    for (const auto& w : widgets_)
        if (*selectedKind_ == w.kind) return w;
    return std::nullopt;
}

QString GalleryView::title() const {
    return category_ ? QString::fromUtf8(WidgetCatalog::label(*category_)) : QString(kAllTitle);
}

QString GalleryView::subtitle() const {
    const auto n = widgets_.size();
    return QString::number(n) + " widget" + (n == 1 ? "" : "s");
}

void GalleryView::setBannerRule(std::function<QWidget*(std::optional<Category>)> rule) {
    bannerRule_ = std::move(rule);
    refreshBanner();
}

void GalleryView::refreshBanner() {
    if (banner_) {
        bannerArea_->removeWidget(banner_);
        banner_->deleteLater();
        banner_ = nullptr;
    }
    if (bannerRule_) banner_ = bannerRule_(category_);
    if (banner_) bannerArea_->addWidget(banner_);
    bannerArea_->parentWidget()->setVisible(banner_ != nullptr);
}

void GalleryView::relist() {
    widgets_ = WidgetCatalog::filtered(category_, sizeFilter_, searchText_.toStdString());
    std::map<std::string, bool> listed;
    for (const auto& w : widgets_) listed[w.kind] = true;
    for (auto& [kind, card] : cards_) card->setHidden(!listed.count(kind));
    grid_->relayout();
    updateToolbar();
    refreshBanner();
}

void GalleryView::updateToolbar() {
    title_->setText(title());
    subtitle_->setText(subtitle());
    manageNotes_->setVisible(category_ == Category::notes);
    manageHabits_->setVisible(category_ == Category::focus);
}

WidgetGalleryCard* GalleryView::card(const std::string& kind) const {
    const auto it = cards_.find(kind);
    return it == cards_.end() ? nullptr : it->second;
}

} // namespace plyx
