#pragma once
// The edit dialog of a placed widget, built from its configuration intent:
// one row per parameter, in order, under its title. Entity parameters list
// the query's suggestions and search as the user types, on a worker thread;
// a failed search lists nothing new and keeps the current choice. An unset
// optional entity shows what the widget falls back to, and only the rows the
// user changed are written over the stored values.
#include "platform/intents/Intent.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;

namespace plyx::host {

class EditDialog : public QDialog {
public:
    /// `values` are the widget's configured values; an absent key shows its
    /// default.
    EditDialog(const intents::IntentDescriptor& intent, const intents::Json& values, QWidget* parent = nullptr);
    ~EditDialog() override;

    /// The stored values with the rows the user changed written over them.
    intents::Json values() const;
    /// The text a choice row shows as chosen now.
    QString shownTitle(const std::string& key) const;
    /// What an entity row says of its last search, empty when nothing.
    QString note(const std::string& key) const;
    /// The rows' titles, in order (tests).
    QStringList titles() const;
    /// Searches an entity row (what typing in its search field does).
    void search(const std::string& key, const QString& text);
    /// The entities an entity row lists now.
    QStringList listed(const std::string& key) const;
    /// Whether a query runs for an entity row.
    bool isSearching(const std::string& key) const;

    static constexpr const char* kNoneTitle = "none";
    /// An unset optional entity: "Default", or "Default (New York)" when the
    /// parameter names what the widget shows.
    static constexpr const char* kDefaultTitle = "Default";

private:
    struct Row;
    void fill(Row& row, std::function<std::vector<intents::EntityDisplay>()> query, bool searched);
    intents::Json current(const Row& row) const;
    const intents::IntentDescriptor& intent_;
    intents::Json stored_;
    std::vector<std::unique_ptr<Row>> rows_;
};

} // namespace plyx::host
