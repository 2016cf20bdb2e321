#include "app/window/ContentView.h"

#include "app/window/DesktopApps.h"
#include "app/window/ThemeWheelIcon.h"
#include "app/window/WindowLinks.h"
#include "app/window/gallerykit/ConnectSources.h"
#include "app/window/gallerykit/DesignFont.h"
#include "app/window/gallerykit/DesktopPlacer.h"
#include "app/window/gallerykit/PlyxBadge.h"
#include "platform/ui/Symbols.h"
#include "shared/foundation/ThemeStore.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <type_traits>
#include <variant>

namespace plyx {

namespace {

constexpr const char* kAllTitle = "All Widgets";
constexpr const char* kAllSymbol = "circle.grid.3x3.fill";
constexpr const char* kWallpapersTitle = "Wallpapers";
constexpr const char* kWallpapersSymbol = "photo.on.rectangle";
constexpr const char* kThemeTitle = "Theme";
constexpr const char* kSettingsSymbol = "gearshape";
constexpr const char* kProductName = "Plyx";
constexpr int kRowIconSide = 16;

/// Rows before the categories ("All Widgets") and after them ("Wallpapers", "Theme").
constexpr int kRowsBefore = 1;

int categoryCount() { return static_cast<int>(WidgetCatalog::allCategories().size()); }

QIcon symbolIcon(const char* name) { return QIcon(QString::fromStdString(ui::symbolFile(name))); }

/// The sidebar's header: the product's tile and name.
QWidget* makeHeader(QWidget* parent) {
    auto* header = new QWidget(parent);
    header->setObjectName("sidebarHeader");
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(16, 2, 16, 10);
    row->setSpacing(10);
    row->addWidget(new PlyxBadge(26, 8, 15, header), 0, Qt::AlignVCenter);
    auto* name = new QLabel(kProductName, header);
    name->setFont(designFont(name->font(), 15, true));
    row->addWidget(name, 0, Qt::AlignVCenter);
    row->addStretch(1);
    return header;
}

} // namespace

ContentView::ContentView(ContentEnvironment env, QWidget* parent) : QWidget(parent), env_(std::move(env)) {
    setMinimumSize(kMinWidth, kMinHeight);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    split_ = new QSplitter(Qt::Horizontal, this);
    split_->setChildrenCollapsible(false);
    layout->addWidget(split_);

    split_->addWidget(buildSidebar());
    detailHolder_ = new QWidget(split_);
    detailHolder_->setObjectName("detail");
    auto* detailLayout = new QVBoxLayout(detailHolder_);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    split_->addWidget(detailHolder_);
    split_->setStretchFactor(0, 0);
    split_->setStretchFactor(1, 1);
    split_->setSizes({kSidebarIdeal, 1000});

    // A theme change redraws the window, and so every preview in it.
    connect(&env_.theme, &ThemeStore::settingsChanged, this, [this] { update(); });

    setSelection(SidebarItem::all());
}

ContentView::~ContentView() = default;

QWidget* ContentView::buildSidebar() {
    auto* sidebar = new QWidget(this);
    sidebar->setObjectName("sidebar");
    sidebar->setMinimumWidth(kSidebarMin);
    sidebar->setMaximumWidth(kSidebarMax);
    auto* column = new QVBoxLayout(sidebar);
    column->setContentsMargins(0, 8, 0, 0);
    column->setSpacing(0);

    column->addWidget(makeHeader(sidebar));

    search_ = new QLineEdit(sidebar);
    search_->setObjectName("search");
    search_->setPlaceholderText(kSearchPrompt);
    search_->setClearButtonEnabled(true);
    auto* searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(10, 0, 10, 8);
    searchRow->addWidget(search_);
    column->addLayout(searchRow);
    connect(search_, &QLineEdit::textChanged, this, &ContentView::setSearchText);

    list_ = new QListWidget(sidebar);
    list_->setObjectName("sidebarList");
    list_->setFrameShape(QFrame::NoFrame);
    list_->setIconSize(QSize(kRowIconSide, kRowIconSide));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Sidebar rows: roomier than a plain list, on the window's own background.
    list_->setStyleSheet("QListWidget { background: transparent; } QListWidget::item { padding: 4px 8px; }");
    const double dpr = devicePixelRatioF();
    new QListWidgetItem(symbolIcon(kAllSymbol), kAllTitle, list_);
    for (const auto category : WidgetCatalog::allCategories())
        new QListWidgetItem(symbolIcon(WidgetCatalog::symbol(category)), WidgetCatalog::label(category), list_);
    new QListWidgetItem(symbolIcon(kWallpapersSymbol), kWallpapersTitle, list_);
    new QListWidgetItem(ThemeWheelIcon::icon(dpr, kRowIconSide), kThemeTitle, list_);
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const auto rows = list_->selectionModel()->selectedRows();
        setSelection(rows.isEmpty() ? std::nullopt : std::optional<SidebarItem>(itemAt(rows.first().row())));
    });
    column->addWidget(list_, 1);

    settings_ = new QToolButton(sidebar);
    settings_->setObjectName("settingsLink");
    settings_->setText(kSettingsTitle);
    settings_->setIcon(symbolIcon(kSettingsSymbol));
    settings_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    settings_->setAutoRaise(true);
    settings_->setForegroundRole(QPalette::PlaceholderText);
    settings_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(settings_, &QToolButton::clicked, this, [this] {
        if (env_.openSettings) env_.openSettings();
    });
    auto* settingsRow = new QHBoxLayout;
    settingsRow->setContentsMargins(16, 12, 16, 12);
    settingsRow->addWidget(settings_, 1, Qt::AlignLeft);
    column->addLayout(settingsRow);
    return sidebar;
}

int ContentView::rowOf(const SidebarItem& item) {
    switch (item.kind) {
    case SidebarItem::Case::all: return 0;
    case SidebarItem::Case::category: {
        const auto all = WidgetCatalog::allCategories();
        for (int i = 0; i < int(all.size()); ++i)
            if (all[i] == item.category) return kRowsBefore + i;
        return -1;
    }
    case SidebarItem::Case::wallpapers: return kRowsBefore + categoryCount();
    case SidebarItem::Case::theme: return kRowsBefore + categoryCount() + 1;
    }
    return -1;
}

SidebarItem ContentView::itemAt(int row) {
    if (row <= 0) return SidebarItem::all();
    if (row <= categoryCount()) return SidebarItem::of(WidgetCatalog::allCategories()[row - kRowsBefore]);
    if (row == kRowsBefore + categoryCount()) return SidebarItem::wallpapers();
    return SidebarItem::theme();
}

void ContentView::setSelection(std::optional<SidebarItem> item) {
    const bool changed = !(item == selection_) || !detail_.widget;
    selection_ = item;
    // Keep the list showing the same row without coming back here.
    const int row = item ? rowOf(*item) : -1;
    const auto selected = list_->selectionModel()->selectedRows();
    const int shown = selected.isEmpty() ? -1 : selected.first().row();
    if (row != shown) {
        QSignalBlocker block(list_);
        list_->clearSelection();
        if (row >= 0) {
            list_->setCurrentRow(row);
            list_->item(row)->setSelected(true);
        }
    }
    if (changed) showDetail();
}

void ContentView::setSearchText(const QString& text) {
    if (text == searchText_) return;
    searchText_ = text;
    if (search_->text() != text) {
        QSignalBlocker block(search_);
        search_->setText(text);
    }
    // Only the gallery reads it; the other screens keep it for when a gallery row comes back.
    if (detail_.setSearchText) detail_.setSearchText(text);
}

void ContentView::showDetail() {
    if (detail_.widget) {
        detail_.widget->hide();
        detail_.widget->deleteLater();
    }
    std::optional<CatalogWidget::Category> category;
    if (selection_ && selection_->kind == SidebarItem::Case::category) category = selection_->category;
    detail_ = makeDetailPane(selection_, PaneContext{*this, category, searchText_});
    detailHolder_->layout()->addWidget(detail_.widget);
}

std::function<void()> ContentView::openNotesManager() {
    return [window = QPointer<ContentView>(this)] {
        if (!window) return;
        window->notesStartComposing_ = false;
        window->setShowNotesManager(true);
    };
}

void ContentView::setShowNotesManager(bool show) {
    showNotesManager_ = show;
    if (!show) {
        if (sheet_) sheet_->close();
        return;
    }
    // Already open: it stays as it is, as a sheet does when asked again; one
    // hidden with every other window comes back as it was.
    if (sheet_) {
        if (!sheet_->isVisible()) sheet_->open();
        sheet_->raise();
        return;
    }
    QDialog* sheet = makeNotesSheet(*this, notesStartComposing_);
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &QDialog::finished, this, [this] { showNotesManager_ = false; });
    sheet_ = sheet;
    sheet->open();
}

void ContentView::handleLink(const QString& url) {
    const auto action = WindowLinks::actionFor(url.toStdString());
    if (const auto* notes = std::get_if<WindowLinks::OpenNotes>(&action)) {
        setSelection(SidebarItem::of(CatalogWidget::Category::notes));
        notesStartComposing_ = notes->composing;
        setShowNotesManager(true);
    } else if (const auto* open = std::get_if<WindowLinks::OpenApp>(&action)) {
        if (!env_.apps) return;
        const auto location = env_.apps->locate(open->app);
        if (!location) return;  // nothing to open: this window stays
        // Opened without waiting for it to come up, and this application
        // steps aside at once.
        env_.apps->open(*location);
        if (env_.hideApplication) env_.hideApplication();
    }
}

} // namespace plyx
