#include "shared/models/HabitItem.h"

#include "shared/storage/SharedStorage.h"

namespace plyx {

std::optional<std::vector<HabitItem>> HabitItem::stored() {
    return SharedStorage::read<std::vector<HabitItem>>(StorageKeys::habits);
}

const std::vector<HabitItem>& HabitItem::samples() {
    static const std::vector<HabitItem> s{
        {Uuid::random(), "Run", {}}, {Uuid::random(), "Read", {}}, {Uuid::random(), "No sugar", {}}};
    return s;
}

} // namespace plyx
