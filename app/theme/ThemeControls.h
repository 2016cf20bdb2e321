#pragma once
// The building blocks of the theme editor's settings column: the section
// card, the selectable option card, an accent swatch and the colour well.
#include <QAbstractButton>
#include <QColor>
#include <QFrame>
#include <QPointer>

#include <QColorDialog>
class QVBoxLayout;

namespace plyx {

/// The faint fill behind cards, following the light or dark appearance.
QColor quinaryFill(const QPalette& palette);
/// The secondary foreground colour of captions.
QColor secondaryForeground(const QPalette& palette);

/// A titled card around any content: title, subtitle 2 below, content 14
/// below that, on a rounded faint fill, as wide as it is given.
class SectionCard : public QFrame {
public:
    SectionCard(const QString& title, const QString& subtitle, QWidget* parent = nullptr);
    /// Where the section's content goes (leading-aligned, no spacing).
    QVBoxLayout* content() const { return content_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* content_ = nullptr;
};

/// A plain button around any content on a rounded faint fill. A selected card
/// is outlined inside its border with 2 points of the interface's accent; an
/// unselected one draws the same outline clear, so its size never changes.
class OptionCard : public QAbstractButton {
public:
    explicit OptionCard(QWidget* parent = nullptr);
    /// Where the card's content goes; its widgets let clicks through to the card.
    QVBoxLayout* content() const { return content_; }
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    /// The outline's colour now: the accent when selected, clear otherwise.
    QColor outlineColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    QVBoxLayout* content_ = nullptr;
    bool selected_ = false;
};

/// A 26-point circle of one colour; when selected, a ring of the window's
/// background just inside it and a ring of its colour 1 point outside it.
/// The widget leaves room for the outer ring on every side.
class Swatch : public QAbstractButton {
public:
    explicit Swatch(QColor color, QWidget* parent = nullptr);
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    QColor color() const { return color_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    bool selected_ = false;
};

/// The custom colour well: shows its colour, and a click opens the desktop's
/// colour picker (no opacity). A colour picked that differs from the one shown
/// is taken and announced; the same colour changes nothing.
class ColorWell : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColorWell(QColor color, QWidget* parent = nullptr);
    QColor color() const { return color_; }
    /// Takes `color`; emits `colorChanged` only when it differs from the one shown.
    void setColor(const QColor& color);
    /// The picker, while it is open.
    QColorDialog* picker() const { return picker_; }
    QSize sizeHint() const override;

signals:
    void colorChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openPicker();

    QColor color_;
    QPointer<QColorDialog> picker_;
};

} // namespace plyx
