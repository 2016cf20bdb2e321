#pragma once
// The wallpapers pane of the main window: the catalog as a grid of cards,
// a tone filter, a badge on the wallpaper the desktop shows, and the preview
// sheet for a clicked card.
#include "app/wallpapers/WallpaperItem.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QLabel;
class QScrollArea;

namespace plyx {

class WallpaperCard;
class WallpaperGrid;
class WallpaperPreviewSheet;

class WallpapersView : public QWidget {
    Q_OBJECT
public:
    explicit WallpapersView(QWidget* parent = nullptr);

    // The pane's state, read by its host and by tests.
    const std::vector<WallpaperItem>& items() const { return items_; }
    std::optional<WallpaperItem::Tone> toneFilter() const { return toneFilter_; }
    const std::optional<WallpaperItem>& previewItem() const { return previewItem_; }
    const std::string& appliedID() const { return appliedID_; }
    /// The items shown: all, or those of the filter's tone, in catalog order.
    std::vector<WallpaperItem> filtered() const;
    /// "Wallpapers", and the count of shown items with " wallpapers · made for Plyx".
    QString title() const;
    QString subtitle() const;

    void setToneFilter(std::optional<WallpaperItem::Tone> tone);
    /// The cards shown, in order.
    std::vector<WallpaperCard*> cards() const;
    /// The open preview sheet, if any.
    WallpaperPreviewSheet* sheet() const { return sheet_; }

protected:
    void showEvent(QShowEvent*) override;

private:
    void refreshApplied();
    void setAppliedID(const std::string& id);
    void rebuild();
    void openPreview(const WallpaperItem& item);

    std::vector<WallpaperItem> items_;
    std::optional<WallpaperItem::Tone> toneFilter_;
    std::optional<WallpaperItem> previewItem_;
    std::string appliedID_;

    QLabel* title_ = nullptr;
    QLabel* subtitle_ = nullptr;
    QButtonGroup* tones_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    WallpaperGrid* grid_ = nullptr;
    std::vector<WallpaperCard*> allCards_;
    QPointer<WallpaperPreviewSheet> sheet_;
};

} // namespace plyx
