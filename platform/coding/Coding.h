#pragma once
// Stored forms of records: the exact JSON text the shared storage holds.
//
// Writing is compact, members in declaration order, "/" written "\/",
// control characters as \u00xx, whole doubles without ".0", dates as seconds
// since 2001, absent optionals left out, UUIDs upper case. A non-finite
// double fails the whole encode.
//
// Reading is strict: a missing or mistyped required member, or one bad array
// element, fails the whole record; null and missing both mean "none" for an
// optional; unknown members are ignored; an integer accepts 34.0 but not 34.5,
// and an unsigned one no negative value.
//
// A record joins in with two functions found by argument-dependent lookup:
//     void encodeJSON(coding::Json&, const T&);
//     void decodeJSON(const coding::Json&, T&);   // throws DecodeError
// PLYX_CODABLE(Type, field, field, ...) writes both for a plain struct.
#include "platform/coding/Uuid.h"
#include "platform/time/Date.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace plyx::coding {

using Json = nlohmann::ordered_json;

struct DecodeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct EncodeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// Compact text of `j` in the stored form. Throws EncodeError on a non-finite number.
std::string write(const Json& j);
/// The deepest nesting of arrays and objects any JSON text may have to be
/// read. Every reader of text from outside (files, the suite, the bus, the
/// command line, the network) goes through `parse`, so this one limit holds
/// everywhere: deeper text is refused before it is parsed, since the values
/// it would make are copied and compared by recursion. No stored or fetched
/// form nests more than ten levels.
inline constexpr int kMaxNesting = 48;

/// The longest text another program may hand us in one piece over the bus or
/// the command line (a configuration, a kind, an id): 64 KiB, a hundred times
/// the longest real configuration.
inline constexpr std::size_t kMaxPassedText = 64 * 1024;

/// Whether the arrays and objects of `text` nest no deeper than `limit`
/// (brackets inside strings do not count). A linear scan; the text need not
/// be valid JSON.
bool nestsWithin(std::string_view text, int limit = kMaxNesting);

/// Parses JSON text; nothing when the text is not one JSON value or nests
/// deeper than kMaxNesting. `why`, when given, says which ("not valid JSON",
/// "nested deeper than 48 levels").
std::optional<Json> parse(std::string_view text, std::string* why = nullptr);
/// The shortest text of a finite double that reads back exactly, whole values
/// without a fraction ("1", "51.5", "0.1"). Throws EncodeError when not finite.
std::string numberText(double v);

// ---- built-in values -------------------------------------------------------

void encodeJSON(Json& j, bool v);
void encodeJSON(Json& j, int v);
void encodeJSON(Json& j, long v);
void encodeJSON(Json& j, long long v);
void encodeJSON(Json& j, unsigned v);
void encodeJSON(Json& j, unsigned long v);
void encodeJSON(Json& j, unsigned long long v);
void encodeJSON(Json& j, double v);
void encodeJSON(Json& j, const std::string& v);
void encodeJSON(Json& j, const Date& v);
void encodeJSON(Json& j, const Uuid& v);

void decodeJSON(const Json& j, bool& v);
void decodeJSON(const Json& j, int& v);
void decodeJSON(const Json& j, long& v);
void decodeJSON(const Json& j, long long& v);
/// Unsigned integers read like signed ones, and refuse a negative value.
void decodeJSON(const Json& j, unsigned& v);
void decodeJSON(const Json& j, unsigned long& v);
void decodeJSON(const Json& j, unsigned long long& v);
void decodeJSON(const Json& j, double& v);
void decodeJSON(const Json& j, std::string& v);
void decodeJSON(const Json& j, Date& v);
void decodeJSON(const Json& j, Uuid& v);

template <class T> Json toJson(const T& v);
template <class T> void fromJson(const Json& j, T& out);

template <class T> void encodeJSON(Json& j, const std::vector<T>& v) {
    j = Json::array();
    for (const auto& e : v) j.push_back(toJson(e));
}
/// Sets are written in their sorted order, so the same set always gives the same bytes.
template <class T> void encodeJSON(Json& j, const std::set<T>& v) {
    j = Json::array();
    for (const auto& e : v) j.push_back(toJson(e));
}
template <class T> void encodeJSON(Json& j, const std::map<std::string, T>& v) {
    j = Json::object();
    for (const auto& [k, e] : v) j[k] = toJson(e);
}

template <class T> void decodeJSON(const Json& j, std::vector<T>& v) {
    if (!j.is_array()) throw DecodeError("expected an array");
    std::vector<T> out;
    out.reserve(j.size());
    for (const auto& e : j) {
        T item{};
        fromJson(e, item);
        out.push_back(std::move(item));
    }
    v = std::move(out);
}
/// Duplicates collapse on reading.
template <class T> void decodeJSON(const Json& j, std::set<T>& v) {
    if (!j.is_array()) throw DecodeError("expected an array");
    std::set<T> out;
    for (const auto& e : j) {
        T item{};
        fromJson(e, item);
        out.insert(std::move(item));
    }
    v = std::move(out);
}
template <class T> void decodeJSON(const Json& j, std::map<std::string, T>& v) {
    if (!j.is_object()) throw DecodeError("expected an object");
    std::map<std::string, T> out;
    for (auto it = j.begin(); it != j.end(); ++it) {
        T item{};
        fromJson(it.value(), item);
        out.emplace(it.key(), std::move(item));
    }
    v = std::move(out);
}

/// An optional element of an array: null stands for none, read and written,
/// since leaving it out would move every later element. (An optional member
/// of a record is left out instead; ObjectWriter and ObjectReader see to it.)
template <class T> void encodeJSON(Json& j, const std::optional<T>& v) {
    if (v) j = toJson(*v);
    else j = nullptr;
}
template <class T> void decodeJSON(const Json& j, std::optional<T>& v) {
    if (j.is_null()) {
        v.reset();
        return;
    }
    T item{};
    fromJson(j, item);
    v = std::move(item);
}

template <class T> Json toJson(const T& v) {
    Json j;
    encodeJSON(j, v);
    return j;
}
template <class T> void fromJson(const Json& j, T& out) { decodeJSON(j, out); }

// ---- records ---------------------------------------------------------------

/// Writes the members of one record, in the order they are given.
class ObjectWriter {
public:
    explicit ObjectWriter(Json& j) : j_(j) { j_ = Json::object(); }
    template <class T> ObjectWriter& operator()(const char* key, const T& v) {
        j_[key] = toJson(v);
        return *this;
    }
    /// An absent optional is left out.
    template <class T> ObjectWriter& operator()(const char* key, const std::optional<T>& v) {
        if (v) j_[key] = toJson(*v);
        return *this;
    }

private:
    Json& j_;
};

/// Reads the members of one record; a missing or mistyped required member throws.
class ObjectReader {
public:
    explicit ObjectReader(const Json& j) : j_(j) {
        if (!j_.is_object()) throw DecodeError("expected an object");
    }
    template <class T> const ObjectReader& operator()(const char* key, T& out) const {
        auto it = j_.find(key);
        if (it == j_.end() || it->is_null()) throw DecodeError(std::string("missing member ") + key);
        try {
            fromJson(*it, out);
        } catch (const DecodeError& e) {
            throw DecodeError(std::string(key) + ": " + e.what());
        }
        return *this;
    }
    /// Missing and null both give none.
    template <class T> const ObjectReader& operator()(const char* key, std::optional<T>& out) const {
        auto it = j_.find(key);
        if (it == j_.end() || it->is_null()) {
            out.reset();
            return *this;
        }
        T v{};
        try {
            fromJson(*it, v);
        } catch (const DecodeError& e) {
            throw DecodeError(std::string(key) + ": " + e.what());
        }
        out = std::move(v);
        return *this;
    }
    const Json& json() const { return j_; }

private:
    const Json& j_;
};

// ---- enumerations ----------------------------------------------------------

/// An enumeration stored as its raw text.
template <class E, std::size_t N> struct StringEnum {
    std::array<std::pair<E, std::string_view>, N> cases;

    std::string_view name(E v) const {
        for (const auto& [e, n] : cases)
            if (e == v) return n;
        throw EncodeError("unnamed enumeration case");
    }
    void encode(Json& j, E v) const { j = std::string(name(v)); }
    void decode(const Json& j, E& out) const {
        if (!j.is_string()) throw DecodeError("expected a string");
        const auto& s = j.get_ref<const std::string&>();
        for (const auto& [e, n] : cases)
            if (n == s) {
                out = e;
                return;
            }
        throw DecodeError("unknown case " + s);
    }
    std::optional<E> from(std::string_view s) const {
        for (const auto& [e, n] : cases)
            if (n == s) return e;
        return std::nullopt;
    }
};
/// makeStringEnum<Kind>({{Kind::a, "a"}, {Kind::b, "b"}})
template <class E, std::size_t N>
constexpr StringEnum<E, N> makeStringEnum(const std::pair<E, std::string_view> (&cases)[N]) {
    StringEnum<E, N> out{};
    for (std::size_t i = 0; i < N; ++i) out.cases[i] = cases[i];
    return out;
}

/// The keyed form of an enumeration case: {"name":{}} or {"name":{"_0":payload}}.
Json keyedCase(std::string_view name, const Json& payload = Json::object());
/// Reads the keyed form: exactly one member whose value is an object.
/// Returns the case name and its payload object.
std::pair<std::string, const Json*> readKeyedCase(const Json& j);

// ---- whole records as text ---------------------------------------------------

/// The stored text of a value; nothing when it cannot be encoded.
template <class T> std::optional<std::string> encode(const T& v) noexcept {
    try {
        return write(toJson(v));
    } catch (...) {
        return std::nullopt;
    }
}
/// A value decoded from stored text; nothing when the text does not decode whole.
template <class T> std::optional<T> decode(std::string_view text) noexcept {
    try {
        auto j = parse(text);
        if (!j) return std::nullopt;
        T v{};
        fromJson(*j, v);
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace plyx::coding

// ---- PLYX_CODABLE(Type, field...) -------------------------------------------
#define PLYX_CODING_EXPAND(x) x
#define PLYX_CODING_FE_1(M, a) M(a)
#define PLYX_CODING_FE_2(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_1(M, __VA_ARGS__))
#define PLYX_CODING_FE_3(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_2(M, __VA_ARGS__))
#define PLYX_CODING_FE_4(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_3(M, __VA_ARGS__))
#define PLYX_CODING_FE_5(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_4(M, __VA_ARGS__))
#define PLYX_CODING_FE_6(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_5(M, __VA_ARGS__))
#define PLYX_CODING_FE_7(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_6(M, __VA_ARGS__))
#define PLYX_CODING_FE_8(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_7(M, __VA_ARGS__))
#define PLYX_CODING_FE_9(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_8(M, __VA_ARGS__))
#define PLYX_CODING_FE_10(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_9(M, __VA_ARGS__))
#define PLYX_CODING_FE_11(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_10(M, __VA_ARGS__))
#define PLYX_CODING_FE_12(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_11(M, __VA_ARGS__))
#define PLYX_CODING_FE_13(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_12(M, __VA_ARGS__))
#define PLYX_CODING_FE_14(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_13(M, __VA_ARGS__))
#define PLYX_CODING_FE_15(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_14(M, __VA_ARGS__))
#define PLYX_CODING_FE_16(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_15(M, __VA_ARGS__))
#define PLYX_CODING_FE_17(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_16(M, __VA_ARGS__))
#define PLYX_CODING_FE_18(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_17(M, __VA_ARGS__))
#define PLYX_CODING_FE_19(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_18(M, __VA_ARGS__))
#define PLYX_CODING_FE_20(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_19(M, __VA_ARGS__))
#define PLYX_CODING_FE_21(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_20(M, __VA_ARGS__))
#define PLYX_CODING_FE_22(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_21(M, __VA_ARGS__))
#define PLYX_CODING_FE_23(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_22(M, __VA_ARGS__))
#define PLYX_CODING_FE_24(M, a, ...) M(a) PLYX_CODING_EXPAND(PLYX_CODING_FE_23(M, __VA_ARGS__))
#define PLYX_CODING_PICK(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, _12, _13, _14, _15, _16, _17, _18, _19, \
                         _20, _21, _22, _23, _24, NAME, ...)                                                  \
    NAME
#define PLYX_CODING_FOR_EACH(M, ...)                                                                         \
    PLYX_CODING_EXPAND(PLYX_CODING_PICK(__VA_ARGS__, PLYX_CODING_FE_24, PLYX_CODING_FE_23, PLYX_CODING_FE_22, \
                                        PLYX_CODING_FE_21, PLYX_CODING_FE_20, PLYX_CODING_FE_19,              \
                                        PLYX_CODING_FE_18, PLYX_CODING_FE_17, PLYX_CODING_FE_16,              \
                                        PLYX_CODING_FE_15, PLYX_CODING_FE_14, PLYX_CODING_FE_13,              \
                                        PLYX_CODING_FE_12, PLYX_CODING_FE_11, PLYX_CODING_FE_10,              \
                                        PLYX_CODING_FE_9, PLYX_CODING_FE_8, PLYX_CODING_FE_7,                 \
                                        PLYX_CODING_FE_6, PLYX_CODING_FE_5, PLYX_CODING_FE_4,                 \
                                        PLYX_CODING_FE_3, PLYX_CODING_FE_2, PLYX_CODING_FE_1)(M, __VA_ARGS__))
#define PLYX_CODING_WRITE_FIELD(f) w(#f, v.f);
#define PLYX_CODING_READ_FIELD(f) r(#f, v.f);

/// Declares encodeJSON/decodeJSON for a plain struct whose stored members are
/// the listed fields, in that order, under their own names. Use it in the
/// struct's namespace.
#define PLYX_CODABLE(Type, ...)                                                        \
    inline void encodeJSON(::plyx::coding::Json& j, const Type& v) {                  \
        ::plyx::coding::ObjectWriter w(j);                                              \
        PLYX_CODING_FOR_EACH(PLYX_CODING_WRITE_FIELD, __VA_ARGS__)                      \
    }                                                                                   \
    inline void decodeJSON(const ::plyx::coding::Json& j, Type& v) {                  \
        const ::plyx::coding::ObjectReader r(j);                                        \
        PLYX_CODING_FOR_EACH(PLYX_CODING_READ_FIELD, __VA_ARGS__)                       \
    }
