#pragma once
// How a to-do is named to the widgets, so a tap finds it again in its file:
//   "<UID>"                         a to-do with a UID (the series itself for a
//                                   recurring one that is done as a whole);
//   "<UID>;RECURRENCE-ID=<value>"   one occurrence of a recurring to-do, by the
//                                   value its RECURRENCE-ID has (or would have);
//   "<file>#<n>"                    a to-do without a UID: the n-th to-do of
//                                   its file (from 1), stable while the file
//                                   keeps its to-dos in order.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plyx::events::detail {

inline constexpr const char* kOccurrenceMark = ";RECURRENCE-ID=";

std::string occurrenceId(const std::string& uid, const std::string& recurrenceId);
std::string placeId(const std::filesystem::path& file, int ordinal);

struct TodoId {
    std::string uid;
    std::optional<std::string> recurrenceId;  ///< an occurrence of the series `uid`
    std::optional<int> ordinal;               ///< a to-do without UID in `file`
    std::filesystem::path file;
};

/// The readings an identifier may have in `file`: as a place in that file
/// when it names it, as an occurrence when it carries the mark, and always as
/// a plain UID (a UID may look like either of the others).
std::vector<TodoId> readingsOf(const std::string& id, const std::filesystem::path& file);

} // namespace plyx::events::detail
