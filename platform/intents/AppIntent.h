#pragma once
// App intents: actions a widget's button runs, carried from the view that
// draws the button to whichever process performs the tap.
//
// How to write one (see shared/intents/InteractiveIntents.h for six):
//
//   struct AddStepsIntent final : intents::AppIntent {
//       std::int64_t steps = 1000;                       // parameters are plain fields
//       static const intents::IntentDescriptor& descriptor();   // type name, title, parameters
//       static std::unique_ptr<AddStepsIntent> from(const intents::Configuration& c);
//       const intents::IntentDescriptor& type() const override { return descriptor(); }
//       intents::Json parameters() const override { return {{"steps", steps}}; }
//       bool perform() override;                         // the action; runs on a worker thread
//   };
//
// - The descriptor's `type` is the name the intent travels under; keep it
//   stable, buttons already drawn carry it.
// - `from` builds the intent from a checked configuration: every parameter
//   holds a value of its kind, or its default, or null for one without a
//   default (then use the field's own initial value).
// - `parameters()` gives the fields back as JSON in the same keys, so that
//   `from(parameters())` rebuilds an equal intent.
// - Register the type once per process (`IntentRegistry::add<T>()`); a button
//   carries `serialise(intent)`; the host calls `IntentRegistry::rebuild` and
//   `performOnWorker` on a tap.
// - `perform` never throws. It returns false when the action failed (the
//   store gave up on its write): the intent logs why, and the tapped widget
//   is not reloaded as if the change had landed.
//
// Widget configuration intents (a widget's settings) need only a descriptor
// and `from`; they are not registered and have no `perform`.
#include "platform/intents/Intent.h"

#include <QFuture>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace plyx::intents {

class AppIntent {
public:
    virtual ~AppIntent() = default;
    /// The intent's type: name, title, parameters.
    virtual const IntentDescriptor& type() const = 0;
    /// The parameter values, keyed as in the descriptor.
    virtual Json parameters() const = 0;
    /// Does what the intent is for; false when it failed (and was logged).
    /// Runs on a worker thread, never on the thread that paints.
    virtual bool perform() = 0;
};

/// The form a button carries: {"type":"<type name>","parameters":{...}},
/// compact, members in that order.
std::string serialise(const AppIntent& intent);

/// The app intent types a process can rebuild, by type name.
class IntentRegistry {
public:
    using Factory = std::function<std::unique_ptr<AppIntent>(const Configuration&)>;

    /// The process's registry.
    static IntentRegistry& shared();

    /// Registers a type; a second type under the same name is refused
    /// (std::invalid_argument). The descriptor must outlive the registry.
    void add(const IntentDescriptor& descriptor, Factory factory);
    template <class T> void add() {
        add(T::descriptor(), [](const Configuration& c) -> std::unique_ptr<AppIntent> { return T::from(c); });
    }
    /// Whether `type` is registered.
    bool contains(const std::string& type) const;
    const IntentDescriptor* descriptor(const std::string& type) const;

    /// The intent a button carries, rebuilt from its serialised form. An
    /// unknown type name, parameters the type does not declare or values that
    /// do not fit them are refused: nothing is returned and `error` says why
    /// in one line.
    std::unique_ptr<AppIntent> rebuild(const std::string& serialised, std::string* error = nullptr) const;

private:
    struct Entry {
        const IntentDescriptor* descriptor;
        Factory factory;
    };
    std::map<std::string, Entry, std::less<>> types_;
};

/// Performs the intent on a worker thread of the global pool; the future ends
/// when `perform` has returned, with its answer. The intent lives until then.
QFuture<bool> performOnWorker(std::unique_ptr<AppIntent> intent);

} // namespace plyx::intents
