#include "platform/coding/Coding.h"

#include "platform/base/Numbers.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace plyx::coding {
namespace {

// The length of the well-formed UTF-8 sequence that starts at `i`, or 0 when
// it is ill-formed; then `bad` is the number of bytes (the maximal ill-formed
// prefix, at least one) that one replacement character stands for.
std::size_t sequenceAt(const std::string& s, std::size_t i, std::size_t& bad) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) lo = 0xA0;  // no overlong forms
        if (c == 0xED) hi = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) lo = 0x90;  // no overlong forms
        if (c == 0xF4) hi = 0x8F;  // nothing beyond U+10FFFF
    } else {
        bad = 1;
        return 0;
    }
    for (std::size_t k = 1; k < len; ++k) {
        if (i + k >= s.size()) {
            bad = k;
            return 0;
        }
        const auto t = static_cast<unsigned char>(s[i + k]);
        if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF)) {
            bad = k;
            return 0;
        }
    }
    return len;
}

// Text is written as UTF-8. Bytes that are not UTF-8 become U+FFFD, as text
// decoded from bytes does elsewhere; written raw they would make the whole
// record unreadable, and with it every note in the notes file.
void writeString(std::string& out, const std::string& s) {
    out.push_back('"');
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            std::size_t bad = 0;
            if (const std::size_t len = sequenceAt(s, i, bad)) {
                out.append(s, i, len);
                i += len;
            } else {
                out += "\xEF\xBF\xBD";
                i += bad;
            }
            continue;
        }
        ++i;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '/': out += "\\/"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
    }
    out.push_back('"');
}

void writeValue(std::string& out, const Json& j) {
    switch (j.type()) {
    case Json::value_t::null: out += "null"; break;
    case Json::value_t::boolean: out += j.get<bool>() ? "true" : "false"; break;
    case Json::value_t::number_integer: out += std::to_string(j.get<std::int64_t>()); break;
    case Json::value_t::number_unsigned: out += std::to_string(j.get<std::uint64_t>()); break;
    case Json::value_t::number_float: out += numberText(j.get<double>()); break;
    case Json::value_t::string: writeString(out, j.get_ref<const std::string&>()); break;
    case Json::value_t::array: {
        out.push_back('[');
        bool first = true;
        for (const auto& e : j) {
            if (!first) out.push_back(',');
            first = false;
            writeValue(out, e);
        }
        out.push_back(']');
        break;
    }
    case Json::value_t::object: {
        out.push_back('{');
        bool first = true;
        for (auto it = j.begin(); it != j.end(); ++it) {
            if (!first) out.push_back(',');
            first = false;
            writeString(out, it.key());
            out.push_back(':');
            writeValue(out, it.value());
        }
        out.push_back('}');
        break;
    }
    default: throw EncodeError("value cannot be stored");
    }
}

template <class I> void decodeInteger(const Json& j, I& v) {
    using Limits = std::numeric_limits<I>;
    if (j.is_number_unsigned()) {
        const auto u = j.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(Limits::max())) throw DecodeError("integer out of range");
        v = static_cast<I>(u);
        return;
    }
    std::optional<std::int64_t> s;
    if (j.is_number_integer()) s = j.get<std::int64_t>();
    else if (j.is_number_float()) {
        // 34.0 reads as 34; 34.5 is not an integer.
        s = num::exactInt64(j.get<double>());
        if (!s) throw DecodeError("number is not an integer");
    } else {
        throw DecodeError("expected an integer");
    }
    if constexpr (Limits::is_signed) {
        if (*s < static_cast<std::int64_t>(Limits::min()) || *s > static_cast<std::int64_t>(Limits::max()))
            throw DecodeError("integer out of range");
    } else {
        if (*s < 0 || static_cast<std::uint64_t>(*s) > static_cast<std::uint64_t>(Limits::max()))
            throw DecodeError("integer out of range");
    }
    v = static_cast<I>(*s);
}

// A whole double beyond the signed range still names an unsigned 64-bit
// counter (as a writer that knew only doubles would have stored it).
void decodeUnsigned64(const Json& j, std::uint64_t& v) {
    if (j.is_number_float()) {
        const auto u = num::exactUInt64(j.get<double>());
        if (!u) throw DecodeError("number is not an unsigned integer");
        v = *u;
        return;
    }
    decodeInteger(j, v);
}

} // namespace

std::string numberText(double v) {
    if (!std::isfinite(v)) throw EncodeError("non-finite number");
    if (std::trunc(v) == v && std::fabs(v) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", v);
        return buf;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string write(const Json& j) {
    std::string out;
    writeValue(out, j);
    return out;
}

bool nestsWithin(std::string_view text, int limit) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') ++i; // the escaped character cannot end the string
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') inString = true;
        else if (c == '[' || c == '{') {
            if (++depth > limit) return false;
        } else if ((c == ']' || c == '}') && depth > 0) --depth;
    }
    return true;
}

std::optional<Json> parse(std::string_view text, std::string* why) {
    if (!nestsWithin(text)) {
        if (why) *why = "nested deeper than " + std::to_string(kMaxNesting) + " levels";
        return std::nullopt;
    }
    Json j = Json::parse(text.begin(), text.end(), nullptr, false);
    if (j.is_discarded()) {
        if (why) *why = "not valid JSON";
        return std::nullopt;
    }
    return j;
}

void encodeJSON(Json& j, bool v) { j = v; }
void encodeJSON(Json& j, int v) { j = v; }
void encodeJSON(Json& j, long v) { j = v; }
void encodeJSON(Json& j, long long v) { j = v; }
void encodeJSON(Json& j, unsigned v) { j = v; }
void encodeJSON(Json& j, unsigned long v) { j = v; }
void encodeJSON(Json& j, unsigned long long v) { j = v; }
void encodeJSON(Json& j, double v) {
    if (!std::isfinite(v)) throw EncodeError("non-finite number");
    j = v;
}
void encodeJSON(Json& j, const std::string& v) { j = v; }
void encodeJSON(Json& j, const Date& v) { encodeJSON(j, v.sinceReferenceDate); }
void encodeJSON(Json& j, const Uuid& v) { j = v.string(); }

void decodeJSON(const Json& j, bool& v) {
    if (!j.is_boolean()) throw DecodeError("expected a bool");
    v = j.get<bool>();
}
void decodeJSON(const Json& j, int& v) { decodeInteger(j, v); }
void decodeJSON(const Json& j, long& v) { decodeInteger(j, v); }
void decodeJSON(const Json& j, long long& v) { decodeInteger(j, v); }
void decodeJSON(const Json& j, unsigned& v) { decodeInteger(j, v); }
void decodeJSON(const Json& j, unsigned long& v) {
    std::uint64_t u = 0;
    decodeUnsigned64(j, u);
    v = u;
}
void decodeJSON(const Json& j, unsigned long long& v) {
    std::uint64_t u = 0;
    decodeUnsigned64(j, u);
    v = u;
}
void decodeJSON(const Json& j, double& v) {
    if (!j.is_number()) throw DecodeError("expected a number");
    v = j.get<double>();
}
void decodeJSON(const Json& j, std::string& v) {
    if (!j.is_string()) throw DecodeError("expected a string");
    v = j.get<std::string>();
}
void decodeJSON(const Json& j, Date& v) {
    double s = 0;
    decodeJSON(j, s);
    v = Date{s};
}
void decodeJSON(const Json& j, Uuid& v) {
    if (!j.is_string()) throw DecodeError("expected a UUID string");
    auto u = Uuid::parse(j.get_ref<const std::string&>());
    if (!u) throw DecodeError("malformed UUID");
    v = *u;
}

Json keyedCase(std::string_view name, const Json& payload) {
    Json j = Json::object();
    j[std::string(name)] = payload;
    return j;
}

std::pair<std::string, const Json*> readKeyedCase(const Json& j) {
    if (!j.is_object() || j.size() != 1) throw DecodeError("expected one keyed case");
    auto it = j.begin();
    if (!it.value().is_object()) throw DecodeError("expected a case payload object");
    return {it.key(), &it.value()};
}

} // namespace plyx::coding
