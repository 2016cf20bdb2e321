#pragma once
// The theme editor's right-hand column: the caption, the three sample cards
// of the edited theme and the apply button, on a fixed dark backdrop.
//
// This header stays free of the view and coding headers (the meta-object
// compiler cannot read them).
#include <QWidget>

#include <array>
#include <cstddef>

class QPushButton;

namespace plyx {

struct ThemeSettings;
namespace ui {
class ViewWidget;
}

/// The preview column: the caption, the three cards and the apply button,
/// exactly 412 wide and as tall as it is given.
class ThemePreviewColumn : public QWidget {
    Q_OBJECT
public:
    explicit ThemePreviewColumn(QWidget* parent = nullptr);

    /// Redraws the cards in `theme`.
    void setTheme(const ThemeSettings& theme);
    /// The button reads "Applied ✓" while `applied`, else "Apply to All Widgets".
    void setApplied(bool applied);

    QPushButton* applyButton() const { return apply_; }
    /// The card of the clock (0), the weather (1) or the battery (2).
    ui::ViewWidget* cardWidget(std::size_t index) const { return cards_[index]; }

signals:
    void applyClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<ui::ViewWidget*, 3> cards_{};
    QPushButton* apply_ = nullptr;
};

} // namespace plyx
