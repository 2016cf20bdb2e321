#pragma once
// The habits sheet: add a habit, check one in for today (or take today's
// check-in back), delete one. The habits live in the shared suite, where the
// habits widget checks them in too; every change here is applied to the list
// as stored at that moment, in one atomic update, so a check-in the widget
// made while the sheet was open is kept. After each change the sheet shows
// the list as stored and asks the habits widget for a new timeline. No
// message is ever shown: a blank name cannot be added, and a change the
// suite did not take (logged by the store) is not shown, while the typed
// name stays in the field.
// The header stays free of the coding headers (the meta-object compiler
// cannot read them): callers include shared/models/HabitItem.h.
#include <QDialog>

#include <vector>

class QLineEdit;
class QPushButton;

namespace plyx {

struct HabitItem;
struct Uuid;
namespace sheets {
class InsetList;
}

class HabitsManagerView : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 380;
    static constexpr int kHeight = 400;
    static constexpr const char* kPlaceholder = "New habit (e.g. Run)";
    static constexpr const char* kEmptyText = "No habits yet \u2014 the widget shows up to three.";

    explicit HabitsManagerView(QWidget* parent = nullptr);
    ~HabitsManagerView() override;

    /// The habits shown, in stored order.
    const std::vector<HabitItem>& habits() const { return habits_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void add();
    void checkIn(const Uuid& id);
    void remove(const Uuid& id);
    /// Reads the stored list (the samples while nothing readable is stored),
    /// shows it and reloads the widget.
    void showStoredAndReload();
    void showHabits();
    QWidget* row(const HabitItem& habit);
    QString trimmedName() const;

    std::vector<HabitItem> habits_;
    QLineEdit* name_;
    QPushButton* add_;
    sheets::InsetList* list_;
};

} // namespace plyx
