#pragma once
// Intent parameters: what each parameter is (key, title, kind, default), and
// the values one intent holds, as a JSON value bag: a widget instance's
// configuration, or the parameters of a button's app intent (AppIntent.h). A
// widget that was never configured has an empty bag, so every parameter reads
// its default.
#include "platform/intents/Entity.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plyx::intents {

using Json = nlohmann::ordered_json;

/// The value type of one parameter.
enum class ParameterKind { string, integer, boolean, real, date, enumeration, entity };

/// The text of a kind as the configuration sheet and error messages show it.
const char* kindName(ParameterKind kind);

/// One case of an enumeration parameter: its raw value and display text.
struct EnumCase {
    std::string raw;
    std::string title;
};

/// One parameter of a configuration intent.
struct ParameterDescriptor {
    std::string key;
    std::string title;
    ParameterKind kind = ParameterKind::string;
    /// The value a fresh intent holds; null means none (optional parameters).
    Json defaultValue = nullptr;
    /// For enumerations: the cases, in the order the sheet lists them.
    std::vector<EnumCase> cases = {};
    /// The type's own display text for enumerations and entities ("Background").
    std::string typeTitle = {};
    /// Whether none (JSON null) is an allowed value.
    bool optional = false;
    /// For entities: the query that finds them (see Entity.h). The value held
    /// is the entity's identifier.
    std::shared_ptr<const EntityQuery> query = nullptr;
    /// For optional entities: the title of what the widget shows while none
    /// is set ("New York"), so the dialog can name the fallback instead of
    /// showing some other entity as if it were chosen. Null when unnamed.
    std::function<std::string()> fallbackTitle = nullptr;
    /// What a value of the right kind must also be to mean anything (a known
    /// time zone, a place that reads, a date within the calendar): nothing
    /// when `value` is fine, else what is needed ("a time-zone identifier").
    /// Held to values a user gives (`Configuration::checked`); values already
    /// stored read as well as they can.
    std::function<std::optional<std::string>(const Json& value)> needs = nullptr;
};

/// An intent type (configuration or app intent): its name, title and
/// parameters in order.
struct IntentDescriptor {
    std::string type;
    std::string title;
    std::vector<ParameterDescriptor> parameters;

    const ParameterDescriptor* parameter(const std::string& key) const;
};

/// The configured values of one widget instance. Only parameters the intent
/// declares can be held, each with a value of its kind. The descriptor must
/// outlive the configuration (intent types keep theirs in a static).
class Configuration {
public:
    /// Checks `values` against the intent; on failure `error` names the
    /// problem in one line and nothing is returned.
    static std::optional<Configuration> make(const IntentDescriptor& intent, const Json& values,
                                             std::string* error = nullptr);
    /// As `make`, and every value is also what its parameter `needs`: the
    /// check for values a user gives, on the command line, over the bus or in
    /// the edit dialog.
    static std::optional<Configuration> checked(const IntentDescriptor& intent, const Json& values,
                                                std::string* error = nullptr);
    /// As `checked`, from JSON text (an empty text is the empty bag). Text
    /// longer than coding::kMaxPassedText or nested deeper than
    /// coding::kMaxNesting is refused unread.
    static std::optional<Configuration> parse(const IntentDescriptor& intent, const std::string& text,
                                              std::string* error = nullptr);
    /// The unconfigured instance: every parameter at its default.
    static Configuration defaults(const IntentDescriptor& intent);

    /// The configured value of `key`, else its default; null when neither.
    const Json& value(const std::string& key) const;
    /// The values actually configured (no defaults filled in).
    const Json& values() const { return values_; }
    const IntentDescriptor& intent() const { return *intent_; }

private:
    Configuration(const IntentDescriptor* intent, Json values) : intent_(intent), values_(std::move(values)) {}
    const IntentDescriptor* intent_;
    Json values_;
};

} // namespace plyx::intents
