#include "app/notes/ComposeField.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace plyx {

ComposeField::ComposeField(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("compose");
    setPlaceholderText(tr("New note\u2026"));
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QPlainTextEdit::textChanged, this, &ComposeField::fitHeight);
    fitHeight();
}

void ComposeField::keyPressEvent(QKeyEvent* event) {
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto newLineModifiers = Qt::ShiftModifier | Qt::AltModifier;
    if (isReturn && !(event->modifiers() & newLineModifiers)) {
        emit submitted();
        event->accept();  // never on to the dialog's default button
        return;
    }
    if (isReturn) {
        insertPlainText("\n");
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ComposeField::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    fitHeight();  // a new width wraps the text anew
}

void ComposeField::fitHeight() {
    // Lines as the text wraps at the current width: a long paragraph takes several.
    const qreal width = std::max<qreal>(1, viewport()->width() - 2 * document()->documentMargin());
    QTextOption option = document()->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int lines = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        QTextLayout layout(b.text(), font());
        layout.setTextOption(option);
        layout.beginLayout();
        int n = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++n;
        }
        layout.endLayout();
        lines += std::max(1, n);
    }
    lines_ = std::clamp(lines, kMinLines, kMaxLines);
    const QMargins m = contentsMargins();
    const int height = lines_ * fontMetrics().lineSpacing() + int(2 * document()->documentMargin()) +
                       2 * frameWidth() + m.top() + m.bottom();
    if (minimumHeight() != height || maximumHeight() != height) setFixedHeight(height);
}

} // namespace plyx
