#pragma once
// One ticker's last price, its change against the previous close and the
// day's chart; the stock chart client caches the last good one per symbol.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <optional>
#include <string>
#include <vector>

namespace plyx {

struct StockSnapshot {
    /// One point of the day's chart.
    struct Point {
        double value = 0;
        std::optional<std::string> label;  ///< axis caption ("10AM"); none for unlabelled points

        bool operator==(const Point&) const = default;
    };

    std::string symbol;
    double price = 0;
    double changePercent = 0;  ///< -1.2 is a fall of 1.2 %
    std::vector<Point> points; ///< oldest first
    Date updated;

    /// The preview chart, made once per process on first use.
    static const StockSnapshot& sample();

    bool operator==(const StockSnapshot&) const = default;
};

PLYX_CODABLE(StockSnapshot::Point, value, label)
PLYX_CODABLE(StockSnapshot, symbol, price, changePercent, points, updated)

} // namespace plyx
