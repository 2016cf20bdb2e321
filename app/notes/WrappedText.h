#pragma once
// Text shown whole: it wraps at word boundaries where it can and anywhere
// where it must (a long link, a word longer than the row), and is as tall as
// its lines at the width it is given.
#include <QWidget>

namespace plyx {

class WrappedText : public QWidget {
public:
    WrappedText(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    /// The lines the text takes at `width`.
    int lineCount(int width) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_, laidOut_;
    QColor color_;
};

} // namespace plyx
