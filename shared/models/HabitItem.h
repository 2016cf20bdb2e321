#pragma once
// One habit and the local days ("yyyy-MM-dd") on which it was done. The list
// of all habits is stored as one array, in the user's order.
#include "platform/coding/Coding.h"
#include "platform/coding/Uuid.h"

#include <set>
#include <string>
#include <vector>

namespace plyx {

struct HabitItem {
    Uuid id;
    std::string name;
    std::set<std::string> checkins;

    /// "Run", "Read" and "No sugar" without check-ins; identities fixed per process.
    static const std::vector<HabitItem>& samples();

    bool operator==(const HabitItem&) const = default;
};

PLYX_CODABLE(HabitItem, id, name, checkins)

} // namespace plyx
