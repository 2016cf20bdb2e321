#pragma once
// The sheet a wallpaper card opens: the picture large, its title and tone,
// and three actions: close, export a copy where the user chooses, and set it
// on every screen. A failed apply or export says so in the sheet.
#include "app/wallpapers/WallpaperItem.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <string>

class QGraphicsOpacityEffect;
class QLabel;
class QPushButton;

namespace plyx {

/// The pane's applied id, shared with the sheet: read for the button's
/// label, written after a successful apply.
struct AppliedIDBinding {
    std::function<std::string()> get;
    std::function<void(const std::string&)> set;
};

class WallpaperPreviewSheet : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 720;

    WallpaperPreviewSheet(WallpaperItem item, AppliedIDBinding appliedID, QWidget* parent = nullptr);

    const WallpaperItem& item() const { return item_; }
    /// The one-line message; empty when none is shown.
    QString status() const { return status_; }
    /// "Applied ✓" or "Set as Wallpaper".
    QString applyLabel() const;
    /// Whether the full-size picture has arrived (false while loading, and
    /// for good when it is missing or does not read).
    bool imageLoaded() const;

    /// The pane's applied id changed: the button's label follows.
    void appliedIDChanged();

private:
    void apply();
    void exportImage();
    void finishExport(const QString& path);
    void setStatus(const QString& text);

    WallpaperItem item_;
    AppliedIDBinding appliedID_;
    QString status_;

    class Picture;
    Picture* picture_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QGraphicsOpacityEffect* statusOpacity_ = nullptr;
    QPushButton* applyButton_ = nullptr;
};

} // namespace plyx
