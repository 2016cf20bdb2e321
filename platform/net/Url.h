#pragma once
// Building request addresses: each web service's base address (overridable
// by an environment variable so tests and mirrors can stand in), query
// strings, path escaping and the text form of numbers in a query.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plyx::net {

enum class Service { forecast, geocoding, airQuality, stockChart };

/// The environment variable that overrides a service's base address.
const char* serviceEnvironmentVariable(Service s);
/// The public address that serves the service by default.
const char* serviceDefaultBase(Service s);
/// The largest answer body taken from a service, far above what its real
/// answers reach, so a hostile or broken server cannot make a client decode
/// megabytes.
std::size_t serviceMaxAnswer(Service s);
/// The base address of a service: the environment variable when set and not
/// empty, else the public default; a trailing "/" is dropped.
std::string serviceBase(Service s);

struct QueryItem {
    std::string name;
    std::string value;
};

/// Escapes one query name or value: everything except the unreserved
/// characters and ",:;@/?!$'()*" is percent-encoded, so "+", "&", "=" and "#"
/// in a value can never be read as a blank or a separator.
std::string escapeQueryComponent(std::string_view text);
/// "name=value&name=value" in the given order, each part escaped.
std::string queryString(const std::vector<QueryItem>& items);

/// Escapes one path segment: every byte outside the unreserved characters
/// (A-Z a-z 0-9 - . _ ~) is percent-encoded, and a segment that is "." or
/// ".." is escaped whole, so "/", ".." or "?" in user text cannot change the path.
std::string escapePathSegment(std::string_view text);

/// A double as a query value: the shortest text that reads back as the same
/// value, a whole number keeping ".0" ("51.5", "0.0", "-8.259").
std::string numberText(double v);

} // namespace plyx::net
