// The add-widget guide's texts with and without a selected widget, its
// fixed width and its ways of closing, and "Add to Desktop" placing only a
// selected widget.
#include "app/window/gallerykit/AddToDesktop.h"
#include "app/window/gallerykit/AddWidgetGuide.h"

#include "tests/app/window/WindowDoubles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

namespace plyx {
namespace {

/// What a label shows once its Markdown is rendered, and which words are bold.
struct Shown {
    QString text;
    QStringList bold;
};
Shown rendered(const QLabel* label) {
    QTextDocument doc;
    doc.setMarkdown(label->text());
    Shown out{doc.toPlainText(), {}};
    for (auto block = doc.begin(); block != doc.end(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontWeight() >= QFont::Bold) out.bold << it.fragment().text();
    return out;
}

void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(AddWidgetGuideTest, TheTextsNameTheSelectedWidgetOrSpeakOfWidgetsInGeneral) {
    test::widgetsApp();
    const struct {
        std::optional<QString> name;
        QString title;
        QString step3;
        QStringList step3Bold;
    } cases[] = {
        {std::nullopt, "Add widgets to your desktop",
         QString::fromUtf8("Right-click any widget and choose Edit Widget\u2026 to change it, or Remove Widget to take "
                           "it away."),
         {QString::fromUtf8("Edit Widget\u2026"), "Remove Widget"}},
        {QString("Dot Dial"), QString::fromUtf8("Add \u201CDot Dial\u201D to your desktop"),
         QString::fromUtf8("Right-click Dot Dial and choose Edit Widget\u2026 to change it, or Remove Widget to take "
                           "it away."),
         {"Dot Dial", QString::fromUtf8("Edit Widget\u2026"), "Remove Widget"}},
        // Put in unchanged, so its own Markdown takes effect: the inner
        // asterisks make "B" italic inside the bold name.
        {QString("A*B*C"), QString::fromUtf8("Add \u201CA*B*C\u201D to your desktop"),
         QString::fromUtf8("Right-click ABC and choose Edit Widget\u2026 to change it, or Remove Widget to take "
                           "it away."),
         {"A", "B", "C", QString::fromUtf8("Edit Widget\u2026"), "Remove Widget"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        AddWidgetGuide guide(c.name);
        EXPECT_EQ(guide.titleLabel()->text(), c.title);
        EXPECT_EQ(guide.stepLabels()[2]->textFormat(), Qt::MarkdownText);
        const auto step3 = rendered(guide.stepLabels()[2]);
        EXPECT_EQ(step3.text, c.step3);
        EXPECT_EQ(step3.bold, c.step3Bold);
        EXPECT_EQ(rendered(guide.stepLabels()[0]).text,
                  "Plyx puts a new widget at the top left of your desktop, below your windows.");
        EXPECT_EQ(rendered(guide.stepLabels()[1]).text,
                  QString::fromUtf8("Drag a widget anywhere onto your desktop \u2014 it stays where you drop it."));
    }
    EXPECT_EQ(AddWidgetGuide::steps(QString("A*B*C"))[2].left(20), "Right-click **A*B*C*");
}

TEST(AddWidgetGuideTest, TheSheetIsFourHundredSixtyWideAndReturnClosesIt) {
    test::widgetsApp();
    QWidget window;
    window.resize(1400, 900);
    window.show();
    test::FakePlacer placer;
    QPointer<AddWidgetGuide> guide = addToDesktop(&window, std::nullopt, &placer);
    settle();
    ASSERT_TRUE(guide);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->width(), 460);
    EXPECT_FALSE(guide->widgetName().has_value());
    EXPECT_TRUE(placer.kinds.empty());  // nothing selected, nothing placed
    // Every step shows whole: the layout gave each label the height its text needs.
    for (const auto* label : guide->stepLabels()) EXPECT_GE(label->height(), label->heightForWidth(label->width()));

    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(guide.data(), &press);
    settle();
    EXPECT_TRUE(!guide || !guide->isVisible());

    // A selected widget is placed, and the guide names it.
    guide = addToDesktop(&window, SelectedWidget{"plyx.clock.dotDial", "Dot Dial"}, &placer);
    settle();
    EXPECT_EQ(placer.kinds, std::vector<std::string>{"plyx.clock.dotDial"});
    EXPECT_EQ(guide->widgetName(), QString("Dot Dial"));
    guide->doneButton()->click();
    settle();
    EXPECT_TRUE(!guide || !guide->isVisible());
}

} // namespace
} // namespace plyx
