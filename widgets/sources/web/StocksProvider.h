#pragma once
// The stock and watchlist widgets' data: one symbol's price, change and day
// chart from the chart service, with the last good snapshot of every symbol
// cached in the shared suite. Plain functions without state of their own;
// call them from a worker thread, they block on the network.
#include "shared/models/StockSnapshot.h"

#include <optional>
#include <string>

namespace plyx::StocksProvider {

/// A cached snapshot younger than this, in seconds, is served without a request.
inline constexpr double kCacheLifetime = 900;

/// The snapshot for a symbol as the user typed it: the cached one while it is
/// fresh, else one fetch whose result replaces the cache entry; when the fetch
/// fails, the cached one of any age, or nothing. Never throws.
std::optional<StockSnapshot> snapshot(const std::string& symbol);

/// One request to the chart service for an already normalised symbol and the
/// snapshot made from its answer. Throws net::TransportError,
/// coding::DecodeError, or net::CannotParseResponse when the answer has no
/// result or no market price. Never touches the cache.
StockSnapshot fetch(const std::string& normalisedSymbol);

/// Upper case (locale-independent), then space separators and tabs removed
/// at both ends; line breaks stay.
std::string normalise(const std::string& symbol);

/// The chart request address; the symbol is escaped as one path segment.
std::string chartURL(const std::string& normalisedSymbol);

} // namespace plyx::StocksProvider
