#include "widgets/host/Placement.h"

#include <QUuid>

#include <set>

namespace plyx::host {

std::string newPlacementId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
}

bool repairDuplicateIds(std::vector<Placement>& placements) {
    std::set<std::string> seen;
    bool repaired = false;
    for (auto& p : placements) {
        if (seen.insert(p.id).second) continue;
        p.id = newPlacementId();
        seen.insert(p.id);
        repaired = true;
    }
    return repaired;
}

Placement* findPlacement(std::vector<Placement>& placements, const std::string& id) {
    for (auto& p : placements)
        if (p.id == id) return &p;
    return nullptr;
}

} // namespace plyx::host
