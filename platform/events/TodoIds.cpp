#include "platform/events/TodoIds.h"

#include <cctype>
#include <vector>

namespace plyx::events::detail {

std::string occurrenceId(const std::string& uid, const std::string& recurrenceId) {
    return uid + kOccurrenceMark + recurrenceId;
}

std::string placeId(const std::filesystem::path& file, int ordinal) {
    return file.string() + "#" + std::to_string(ordinal);
}

std::vector<TodoId> readingsOf(const std::string& id, const std::filesystem::path& file) {
    std::vector<TodoId> out;
    const std::string prefix = file.string() + "#";
    if (id.size() > prefix.size() && id.compare(0, prefix.size(), prefix) == 0 && id.size() - prefix.size() <= 9) {
        bool digits = true;
        for (size_t i = prefix.size(); i < id.size(); ++i) digits = digits && std::isdigit(static_cast<unsigned char>(id[i]));
        if (digits) out.push_back({{}, std::nullopt, std::stoi(id.substr(prefix.size())), file});
    }
    if (const auto at = id.find(kOccurrenceMark); at != std::string::npos && at > 0)
        out.push_back({id.substr(0, at), id.substr(at + std::string(kOccurrenceMark).size()), std::nullopt, file});
    out.push_back({id, std::nullopt, std::nullopt, file});
    return out;
}

} // namespace plyx::events::detail
