#include "platform/intents/Intent.h"

#include "platform/base/Numbers.h"
#include "platform/coding/Coding.h"

#include <algorithm>
#include <cstdint>

namespace plyx::intents {

const char* kindName(ParameterKind kind) {
    switch (kind) {
    case ParameterKind::string: return "string";
    case ParameterKind::integer: return "integer";
    case ParameterKind::boolean: return "boolean";
    case ParameterKind::real: return "number";
    case ParameterKind::date: return "date";
    case ParameterKind::enumeration: return "enumeration";
    case ParameterKind::entity: return "entity";
    }
    return "value";
}

const ParameterDescriptor* IntentDescriptor::parameter(const std::string& key) const {
    for (const auto& p : parameters)
        if (p.key == key) return &p;
    return nullptr;
}

namespace {

// Dates travel as seconds since 2001, like every stored date; entities by
// their identifier string.
bool fitsKind(const ParameterDescriptor& p, const Json& v) {
    switch (p.kind) {
    case ParameterKind::string:
    case ParameterKind::entity: return v.is_string();
    case ParameterKind::integer:
        // 34.0 reads as an integer, 34.5 does not, as the stored forms do; and
        // only what a signed 64-bit integer holds, so no reader wraps around.
        if (v.is_number_unsigned()) return v.get<std::uint64_t>() <= std::uint64_t(INT64_MAX);
        if (v.is_number_integer()) return true;
        if (v.is_number_float()) return num::exactInt64(v.get<double>()).has_value();
        return false;
    case ParameterKind::boolean: return v.is_boolean();
    case ParameterKind::real:
    case ParameterKind::date: return v.is_number();
    case ParameterKind::enumeration:
        return v.is_string() && std::any_of(p.cases.begin(), p.cases.end(),
                                            [&](const EnumCase& c) { return c.raw == v.get<std::string>(); });
    }
    return false;
}

std::string allowedCases(const ParameterDescriptor& p) {
    std::string s;
    for (const auto& c : p.cases) s += (s.empty() ? "" : ", ") + c.raw;
    return s;
}

void fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

} // namespace

std::optional<Configuration> Configuration::make(const IntentDescriptor& intent, const Json& values,
                                                 std::string* error) {
    if (!values.is_object()) {
        fail(error, "configuration of " + intent.type + " must be a JSON object");
        return std::nullopt;
    }
    for (const auto& [key, v] : values.items()) {
        const auto* p = intent.parameter(key);
        if (!p) {
            fail(error, "unknown parameter \"" + key + "\" of " + intent.type);
            return std::nullopt;
        }
        if (v.is_null()) {
            if (p->optional) continue;
            fail(error, "parameter \"" + key + "\" of " + intent.type + " cannot be null");
            return std::nullopt;
        }
        if (!fitsKind(*p, v)) {
            std::string msg = "parameter \"" + key + "\" of " + intent.type + " needs ";
            if (p->kind == ParameterKind::enumeration)
                msg += "one of " + allowedCases(*p) + ", got " + v.dump();
            else
                msg += std::string(p->kind == ParameterKind::integer || p->kind == ParameterKind::entity ? "an " : "a ") +
                       kindName(p->kind) + " value, got " + v.dump();
            fail(error, msg);
            return std::nullopt;
        }
    }
    return Configuration(&intent, values);
}

std::optional<Configuration> Configuration::parse(const IntentDescriptor& intent, const std::string& text,
                                                  std::string* error) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) return defaults(intent);
    if (text.size() > coding::kMaxPassedText) {
        fail(error, "configuration of " + intent.type + " is longer than " + std::to_string(coding::kMaxPassedText) +
                        " bytes");
        return std::nullopt;
    }
    std::string why;
    auto values = coding::parse(text, &why);
    if (!values) {
        fail(error, "configuration of " + intent.type + " is " + why);
        return std::nullopt;
    }
    return checked(intent, *values, error);
}

std::optional<Configuration> Configuration::checked(const IntentDescriptor& intent, const Json& values,
                                                    std::string* error) {
    auto config = make(intent, values, error);
    if (!config) return std::nullopt;
    for (const auto& [key, v] : values.items()) {
        const auto* p = intent.parameter(key);
        if (v.is_null() || !p->needs) continue;
        if (auto needed = p->needs(v)) {
            // The value as given, cut: a refused text may be very long.
            std::string got = v.dump(-1, ' ', false, Json::error_handler_t::replace);
            if (got.size() > 60) {
                std::size_t cut = 60;
                while (cut > 0 && (static_cast<unsigned char>(got[cut]) & 0xC0) == 0x80) --cut;
                got = got.substr(0, cut) + "\u2026";
            }
            fail(error, "parameter \"" + key + "\" of " + intent.type + " needs " + *needed + ", got " + got);
            return std::nullopt;
        }
    }
    return config;
}

Configuration Configuration::defaults(const IntentDescriptor& intent) {
    return Configuration(&intent, Json::object());
}

const Json& Configuration::value(const std::string& key) const {
    static const Json none;
    if (auto it = values_.find(key); it != values_.end()) return *it;
    if (const auto* p = intent_->parameter(key)) return p->defaultValue;
    return none;
}

} // namespace plyx::intents
