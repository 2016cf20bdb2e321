#pragma once
// The gallery: a live preview card for every catalog widget that passes the
// sidebar's category, the size filter and the search text, in catalog order,
// in a scrolling grid. A click selects a card (a second click clears it);
// "Add to Desktop" acts on the selected widget, or on widgets in general when
// none is selected or the selected one is filtered out. The title names the
// category and the subtitle counts the cards. The notes category offers
// "Manage Notes", the focus category "Manage Habits". Above the cards there is
// room for one banner, chosen by the window for the shown category.
//
// The previews follow the theme store: a theme set anywhere in the
// application restyles every card at once. The gallery stores nothing.
#include "app/catalog/WidgetCatalog.h"
#include "app/gallery/OpenNotesManagerAction.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace plyx {

class GalleryGrid;
class ThemeStore;
class WidgetGalleryCard;

class GalleryView : public QWidget {
public:
    using Category = CatalogWidget::Category;
    using Size = CatalogWidget::Size;

    static constexpr const char* kAllTitle = "All Widgets";
    static constexpr const char* kManageNotes = "Manage Notes";
    static constexpr const char* kManageHabits = "Manage Habits";
    static constexpr const char* kAddToDesktop = "Add to Desktop";
    static constexpr const char* kSizeAll = "All";

    /// `category`: the sidebar's category, none for every widget.
    /// `searchText`: applied exactly as given (no trimming).
    GalleryView(ThemeStore& theme, std::optional<Category> category, const QString& searchText,
                QWidget* parent = nullptr);
    ~GalleryView() override;

    std::optional<Category> category() const { return category_; }
    void setCategory(std::optional<Category> category);
    const QString& searchText() const { return searchText_; }
    void setSearchText(const QString& text);

    /// The size filter of the toolbar; none shows every size.
    std::optional<Size> sizeFilter() const { return sizeFilter_; }
    void setSizeFilter(std::optional<Size> size);

    /// The kind of the selected card. The selection outlives filters that
    /// hide its card and shows again when the card comes back.
    const std::optional<std::string>& selectedKind() const { return selectedKind_; }
    /// What a click on the card of `kind` does: selects it, or clears the
    /// selection when it is already the selected one.
    void tap(const std::string& kind);

    /// The listed entries: category, then size, then search (name first, else
    /// the category label, ignoring case), in catalog order.
    const std::vector<CatalogWidget>& widgets() const { return widgets_; }
    /// The selected entry when it is listed; what "Add to Desktop" acts on.
    std::optional<CatalogWidget> addTarget() const;

    /// "All Widgets" or the category's label.
    QString title() const;
    /// "0 widgets", "1 widget", "53 widgets".
    QString subtitle() const;

    /// The action behind "Manage Notes"; by default it does nothing.
    void setOpenNotesManager(OpenNotesManagerAction action) { openNotesManager_ = std::move(action); }
    /// Run by "Add to Desktop" with the selected widget, or none for the general form.
    void setOnAddToDesktop(std::function<void(const std::optional<CatalogWidget>&)> f) { onAdd_ = std::move(f); }
    /// Run by "Manage Habits".
    void setOnManageHabits(std::function<void()> f) { onManageHabits_ = std::move(f); }
    /// Chooses the banner above the cards for a category (none for every
    /// widget); asked again whenever the list is worked out afresh (category,
    /// search or size changes) and by `refreshBanner`. A returned widget
    /// becomes the gallery's; nullptr shows no banner.
    void setBannerRule(std::function<QWidget*(std::optional<Category>)> rule);
    /// Asks the banner rule again, for a change the gallery does not see
    /// (an access granted).
    void refreshBanner();
    /// The banner shown, if any.
    QWidget* banner() const { return banner_; }

    /// The card of `kind`, listed or not.
    WidgetGalleryCard* card(const std::string& kind) const;
    QPushButton* manageNotesButton() const { return manageNotes_; }
    QPushButton* manageHabitsButton() const { return manageHabits_; }
    QPushButton* addButton() const { return add_; }
    QScrollArea* scrollArea() const { return scroll_; }

private:
    void relist();
    void updateToolbar();

    ThemeStore& theme_;
    std::optional<Category> category_;
    QString searchText_;
    std::optional<Size> sizeFilter_;
    std::optional<std::string> selectedKind_;
    std::vector<CatalogWidget> widgets_;

    OpenNotesManagerAction openNotesManager_;
    std::function<void(const std::optional<CatalogWidget>&)> onAdd_;
    std::function<void()> onManageHabits_;
    std::function<QWidget*(std::optional<Category>)> bannerRule_;

    QLabel* title_ = nullptr;
    QLabel* subtitle_ = nullptr;
    QButtonGroup* sizes_ = nullptr;
    QPushButton* manageNotes_ = nullptr;
    QPushButton* manageHabits_ = nullptr;
    QPushButton* add_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QVBoxLayout* bannerArea_ = nullptr;
    QWidget* banner_ = nullptr;
    GalleryGrid* grid_ = nullptr;
    std::map<std::string, WidgetGalleryCard*> cards_;
};

} // namespace plyx
