#include "platform/intents/AppIntent.h"

#include "platform/coding/Coding.h"

#include <QtConcurrent/QtConcurrentRun>

#include <stdexcept>

namespace plyx::intents {

namespace {
constexpr const char* kTypeMember = "type";
constexpr const char* kParametersMember = "parameters";

void fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}
} // namespace

std::string serialise(const AppIntent& intent) {
    Json form = Json::object();
    form[kTypeMember] = intent.type().type;
    Json params = intent.parameters();
    form[kParametersMember] = params.is_object() ? std::move(params) : Json::object();
    return form.dump();
}

IntentRegistry& IntentRegistry::shared() {
    static IntentRegistry registry;
    return registry;
}

void IntentRegistry::add(const IntentDescriptor& descriptor, Factory factory) {
    if (descriptor.type.empty()) throw std::invalid_argument("an app intent type needs a name");
    if (!factory) throw std::invalid_argument("app intent " + descriptor.type + " needs a factory");
    if (!types_.emplace(descriptor.type, Entry{&descriptor, std::move(factory)}).second)
        throw std::invalid_argument("app intent " + descriptor.type + " is registered twice");
}

bool IntentRegistry::contains(const std::string& type) const { return types_.count(type) != 0; }

const IntentDescriptor* IntentRegistry::descriptor(const std::string& type) const {
    auto it = types_.find(type);
    return it == types_.end() ? nullptr : it->second.descriptor;
}

std::unique_ptr<AppIntent> IntentRegistry::rebuild(const std::string& serialised, std::string* error) const {
    const auto parsed = coding::parse(serialised);
    const Json form = parsed ? *parsed : Json();
    if (!parsed || !form.is_object()) {
        fail(error, "an app intent must be a JSON object");
        return nullptr;
    }
    const auto type = form.find(kTypeMember);
    if (type == form.end() || !type->is_string()) {
        fail(error, "an app intent needs its type name as text under \"type\"");
        return nullptr;
    }
    const auto name = type->get<std::string>();
    const auto it = types_.find(name);
    if (it == types_.end()) {
        fail(error, "unknown app intent type \"" + name + "\"");
        return nullptr;
    }
    const auto params = form.find(kParametersMember);
    const Json values = params == form.end() || params->is_null() ? Json::object() : *params;
    auto config = Configuration::make(*it->second.descriptor, values, error);
    if (!config) return nullptr;
    auto intent = it->second.factory(*config);
    if (!intent) fail(error, "app intent " + name + " could not be built");
    return intent;
}

QFuture<bool> performOnWorker(std::unique_ptr<AppIntent> intent) {
    std::shared_ptr<AppIntent> owned(std::move(intent));
    return QtConcurrent::run([owned] { return owned && owned->perform(); });
}

} // namespace plyx::intents
