#include "platform/system/PowerSupplies.h"

#include "platform/system/FileValues.h"

#include <algorithm>

namespace plyx::sys {

namespace fs = std::filesystem;
using namespace detail;

std::vector<PowerSupply> readPowerSupplies(const fs::path& root) {
    std::vector<PowerSupply> out;
    std::error_code ec;
    fs::directory_iterator it(under(root, "/sys/class/power_supply"), ec);
    if (ec) return out;
    // Advance with the error-code form: a listing error part-way through /sys
    // ends the list instead of throwing out of a reader that never fails.
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path p = it->path();
        PowerSupply s;
        s.name = p.filename().string();
        s.type = readLine(p / "type").value_or("");
        s.scope = readLine(p / "scope").value_or("");
        s.status = readLine(p / "status").value_or("");
        s.modelName = readLine(p / "model_name").value_or("");
        s.capacity = readInteger(p / "capacity");
        s.online = readInteger(p / "online");
        s.energyNow = readInteger(p / "energy_now");
        s.energyFull = readInteger(p / "energy_full");
        s.powerNow = readInteger(p / "power_now");
        s.chargeNow = readInteger(p / "charge_now");
        s.chargeFull = readInteger(p / "charge_full");
        s.currentNow = readInteger(p / "current_now");
        out.push_back(std::move(s));
    }
    std::sort(out.begin(), out.end(), [](const PowerSupply& a, const PowerSupply& b) { return a.name < b.name; });
    return out;
}

} // namespace plyx::sys
