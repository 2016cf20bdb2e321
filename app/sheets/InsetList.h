#pragma once
// A sheet's list: rows stacked on a rounded inset panel that scrolls
// vertically, filled afresh whenever the data behind it changes.
#include <QScrollArea>

class QBoxLayout;
class QVBoxLayout;

namespace plyx::sheets {

class InsetList : public QScrollArea {
public:
    explicit InsetList(QWidget* parent = nullptr);

    /// Takes every row away. A row may be the sender of the signal that led
    /// here, so rows are hidden and deleted once control is back in the
    /// event loop.
    void clear();
    /// Adds a row at the end.
    void addRow(QWidget* row);
    /// The widget rows belong to.
    QWidget* body() const { return body_; }
    /// Adds the list to a sheet's column, inset from its sides and foot.
    void addTo(QBoxLayout& column);

private:
    QWidget* body_;
    QVBoxLayout* rows_;
};

} // namespace plyx::sheets
