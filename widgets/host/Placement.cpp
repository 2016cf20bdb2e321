#include "widgets/host/Placement.h"

#include <QUuid>

namespace plyx::host {

std::string newPlacementId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
}

Placement* findPlacement(std::vector<Placement>& placements, const std::string& id) {
    for (auto& p : placements)
        if (p.id == id) return &p;
    return nullptr;
}

} // namespace plyx::host
