#include "widgets/timelines/SystemWidgets.h"

#include "shared/views/system/NetworkView.h"
#include "shared/views/system/StorageView.h"
#include "shared/views/system/SystemView.h"
#include "widgets/sources/local/SystemStats.h"
#include "widgets/timelines/LocalProvider.h"

namespace plyx {

namespace {

const StorageSnapshot kStorageSample{721, 1000};

// Processor and memory load (0 when unreadable) and the graphics load if known.
SystemSnapshot liveSystem() {
    SystemSnapshot s;
    s.cpuPercent = SystemStats::cpuPercent().value_or(0);
    s.memoryPercent = SystemStats::memoryPercent().value_or(0);
    s.gpuPercent = SystemStats::gpuPercent();
    return s;
}

// The average throughput since the previous reading; nothing when none can be formed.
std::optional<NetworkSnapshot> liveNetwork() { return SystemStats::networkSnapshot(); }

// The home volume's use; the sample's figures when it cannot be read.
StorageSnapshot liveStorage() { return SystemStats::storageSnapshot().value_or(kStorageSample); }

} // namespace

std::vector<DeclaredWidget> systemWidgets() {
    return {
        declare(SystemWidget, LocalProvider<SystemSnapshot>{{34, 61, 88}, &liveSystem, 15}, viewOf<SystemView>),
        declare(NetworkWidget, LocalProvider<std::optional<NetworkSnapshot>>{NetworkSnapshot{482.0, 36.0}, &liveNetwork, 15},
                viewOf<NetworkView>),
        declare(StorageWidget, LocalProvider<StorageSnapshot>{kStorageSample, &liveStorage, 360}, viewOf<StorageView>),
    };
}

} // namespace plyx
