#pragma once
// The edit dialog of a placed widget, built from its configuration intent:
// one row per parameter, in order, under its title. Entity parameters list
// the query's suggestions and search as the user types, on a worker thread;
// a failed search lists nothing.
#include "platform/intents/Intent.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;

namespace plyx::host {

class EditDialog : public QDialog {
public:
    /// `values` are the widget's current values, defaults filled in.
    EditDialog(const intents::IntentDescriptor& intent, const intents::Json& values, QWidget* parent = nullptr);
    ~EditDialog() override;

    /// What the rows hold now, by parameter key.
    intents::Json values() const;
    /// The rows' titles, in order (tests).
    QStringList titles() const;
    /// Searches an entity row (what typing in its search field does).
    void search(const std::string& key, const QString& text);
    /// The entities an entity row lists now.
    QStringList listed(const std::string& key) const;
    /// Whether a query runs for an entity row.
    bool isSearching(const std::string& key) const;

    static constexpr const char* kNoneTitle = "none";

private:
    struct Row;
    void fill(Row& row, std::function<std::vector<intents::EntityDisplay>()> query);
    const intents::IntentDescriptor& intent_;
    std::vector<std::unique_ptr<Row>> rows_;
};

} // namespace plyx::host
