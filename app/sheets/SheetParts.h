#pragma once
// What the application's sheets share: their frame, the header with its title
// and "Done", the divider under it, the quiet text of an empty list, symbol
// buttons and the foreground levels their texts and symbols are drawn in.
#include "platform/ui/Color.h"

#include <QColor>
#include <QIcon>
#include <QSize>
#include <QString>

#include <string>

class QVBoxLayout;
class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace plyx::sheets {

/// The foreground of a sheet's texts and symbols at its three levels.
enum class Level { primary, secondary, tertiary };
QColor foreground(const QWidget& on, Level level);
QColor qcolor(const ui::Color& c);

/// The symbol `name` drawn in `color`, at 16 points and twice that for dense screens.
QIcon symbolIcon(const std::string& name, const QColor& color);

/// A borderless button showing a symbol; its "symbol" property names the
/// symbol shown, so a change of symbol can be asked for.
QToolButton* symbolButton(QWidget* parent, const char* objectName);
void setSymbol(QToolButton* button, const std::string& name, const QColor& color);

/// Sets `sheet` up as a window-modal sheet of a fixed size, named
/// `objectName` and titled `title`, and gives it its column (no margins or
/// spacing) holding the header row (16 around): the title in the headline
/// font, then "Done", the dialog's default button, which accepts the dialog,
/// and the divider below. The sheet's content goes into the column returned.
QVBoxLayout* openSheet(QDialog& sheet, const char* objectName, const QString& title, QSize size);

/// The text shown under an empty list: size 12, secondary level.
QLabel* emptyText(QWidget* parent, const QString& text);

/// Trims `text` at both ends of the characters `drop` accepts.
template <class Drop> QString trimmedOf(const QString& text, Drop drop) {
    qsizetype from = 0, to = text.size();
    while (from < to && drop(text[from])) ++from;
    while (to > from && drop(text[to - 1])) --to;
    return text.mid(from, to - from);
}

} // namespace plyx::sheets
