#include "shared/models/HabitItem.h"

namespace plyx {

const std::vector<HabitItem>& HabitItem::samples() {
    static const std::vector<HabitItem> s{
        {Uuid::random(), "Run", {}}, {Uuid::random(), "Read", {}}, {Uuid::random(), "No sugar", {}}};
    return s;
}

} // namespace plyx
