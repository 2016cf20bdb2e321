#pragma once
// A name in a sheet's row: it takes the width the row leaves it and shows
// each of its lines cut with an ellipsis where it does not fit, so however
// long a name is, the row's buttons stay in the sheet. `text()` stays the
// whole name.
#include <QLabel>

namespace plyx::sheets {

class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    /// The text as drawn at the label's width now.
    QString shownText() const;

    /// As tall as its lines, and no width of its own: the row decides.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace plyx::sheets
