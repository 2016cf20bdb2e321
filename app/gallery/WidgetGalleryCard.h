#pragma once
// One cell of the gallery: a rounded tile with the live preview of one
// catalog widget (drawn by the view layer in a widget card, with a soft
// shadow), its name and size under it, and a border that shows whether the
// cell is selected. The tile keeps no state of its own beyond what it is
// given; a click anywhere on it is reported to the gallery, which owns the
// selection.
#include "app/catalog/WidgetCatalog.h"
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"
#include "shared/foundation/ThemeSettings.h"

#include <QStaticText>
#include <QWidget>

#include <functional>
#include <optional>

namespace plyx {

namespace ui {
class ViewWidget;
}

class WidgetGalleryCard : public QWidget {
public:
    /// Inner margin on every side, between the preview and the name.
    static constexpr double kInset = 14;
    static constexpr double kPreviewSpacing = 10;
    static constexpr double kTextSpacing = 2;
    static constexpr double kCornerRadius = 16;
    /// Least tile height: large widgets, then small and medium ones.
    static constexpr double kMinLargeHeight = 260;
    static constexpr double kMinHeight = 180;
    /// The preview's shadow: black at this opacity, blurred, moved down.
    static constexpr double kShadowOpacity = 0.18;
    static constexpr double kShadowRadius = 8;
    static constexpr double kShadowDrop = 5;

    WidgetGalleryCard(const CatalogWidget& widget, const ThemeSettings& theme, QWidget* parent = nullptr);
    ~WidgetGalleryCard() override;

    const CatalogWidget& widget() const { return widget_; }

    /// Redraws the preview in `theme`.
    void setTheme(const ThemeSettings& theme);
    const ThemeSettings& theme() const { return theme_; }
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    /// The colour of the selected border: the desktop's accent, never the theme's.
    void setSelectionColor(const ui::Color& color);

    /// Called on a click (press and release) anywhere on the tile.
    void setOnTap(std::function<void()> onTap) { onTap_ = std::move(onTap); }

    /// The space offered to the preview: at most 120 points wide for a small
    /// widget and 240 for the others, within the tile's inner width; 120
    /// points high, or 200 for a large widget.
    static ui::Size previewOffer(CatalogWidget::Size size, double tileWidth);
    /// Where the preview area lies in a tile of `tileSize`, and where the
    /// widget itself is drawn inside it (fitted, centred).
    QRectF previewArea() const;
    QRectF widgetRect() const;

    /// The preview's painting widget.
    ui::ViewWidget* previewWidget() const { return preview_; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    /// The preview and the two texts, without the inset, in a tile `tileWidth` wide.
    double contentHeight(double tileWidth) const;
    void refreshPreview();
    /// The tile's background, the preview's shadow and the border, for its
    /// size and look.
    QImage chrome() const;

    CatalogWidget widget_;
    ThemeSettings theme_;
    bool selected_ = false;
    bool pressed_ = false;
    std::optional<ui::Color> selectionColor_; ///< none: the palette's highlight
    ui::ViewWidget* preview_ = nullptr;
    QStaticText nameText_, sizeText_;
    std::function<void()> onTap_;
};

} // namespace plyx
