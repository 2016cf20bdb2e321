#pragma once
// The sheet "Add to Desktop" opens: where the widget went, how to move it
// and how to change or remove it, naming the selected widget when there is
// one, and a reminder that widgets follow the theme. Reads and writes
// nothing; "Done" or Return closes it.
#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QPushButton;

namespace plyx {

class AddWidgetGuide : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 460;
    static constexpr const char* kSubtitle =
        "Plyx places widgets through its own desktop host \u2014 it takes three quick steps.";
    static constexpr const char* kNote = "Widgets follow your Theme settings automatically \u2014 style changes in "
                                         "Plyx restyle every widget already on the desktop.";
    static constexpr const char* kDoneTitle = "Done";

    /// The title: "Add “name” to your desktop", or "Add widgets to your desktop".
    static QString title(const std::optional<QString>& widgetName);
    /// The three steps' texts, with "**" marking bold; the name goes into
    /// step 3 unchanged.
    static std::array<QString, 3> steps(const std::optional<QString>& widgetName);

    explicit AddWidgetGuide(std::optional<QString> widgetName, QWidget* parent = nullptr);

    const std::optional<QString>& widgetName() const { return widgetName_; }
    QLabel* titleLabel() const { return title_; }
    const std::array<QLabel*, 3>& stepLabels() const { return stepLabels_; }
    QPushButton* doneButton() const { return done_; }

private:
    std::optional<QString> widgetName_;
    QLabel* title_ = nullptr;
    std::array<QLabel*, 3> stepLabels_{};
    QPushButton* done_ = nullptr;
};

} // namespace plyx
