#pragma once
// The notes sheet's compose field: a bordered text field that grows with its
// text from one line to four, then scrolls. Return submits it; Shift-Return
// or Alt-Return starts a new line.
#include <QPlainTextEdit>

namespace plyx {

class ComposeField : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMinLines = 1;
    static constexpr int kMaxLines = 4;

    explicit ComposeField(QWidget* parent = nullptr);

    /// The lines the field is tall enough to show now.
    int visibleLines() const { return lines_; }

signals:
    void submitted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitHeight();
    int lines_ = kMinLines;
};

} // namespace plyx
