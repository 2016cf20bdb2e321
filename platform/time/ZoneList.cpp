#include "platform/time/ZoneList.h"

#include <unicode/strenum.h>
#include <unicode/timezone.h>

#include <memory>

namespace plyx::time {

const std::vector<std::string>& knownZoneIdentifiers() {
    static const std::vector<std::string> ids = [] {
        std::vector<std::string> out;
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::StringEnumeration> all(icu::TimeZone::createEnumeration(status));
        if (U_FAILURE(status) || !all) return out;
        int32_t length = 0;
        while (const char* id = all->next(&length, status)) {
            if (U_FAILURE(status)) break;
            out.emplace_back(id, static_cast<size_t>(length));
        }
        return out;
    }();
    return ids;
}

} // namespace plyx::time
