#pragma once
// A moment in time, kept the way stored records keep it: seconds since
// 2001-01-01T00:00:00Z, fraction included.
#include <cmath>
#include <compare>

namespace plyx {

/// Seconds between the Unix epoch and 2001-01-01T00:00:00Z.
inline constexpr double kReferenceDateUnix = 978307200.0;

struct Date {
    /// Seconds since 2001-01-01T00:00:00Z.
    double sinceReferenceDate = 0;

    static constexpr Date fromReference(double s) { return Date{s}; }
    static constexpr Date fromUnix(double unixSeconds) { return Date{unixSeconds - kReferenceDateUnix}; }
    constexpr double unixTime() const { return sinceReferenceDate + kReferenceDateUnix; }
    /// Milliseconds since the Unix epoch, as ICU counts them.
    constexpr double unixMillis() const { return unixTime() * 1000.0; }
    static constexpr Date fromUnixMillis(double ms) { return fromUnix(ms / 1000.0); }

    /// Seconds from `other` to this date (positive when this is later).
    constexpr double timeIntervalSince(Date other) const { return sinceReferenceDate - other.sinceReferenceDate; }
    constexpr Date addingTimeInterval(double s) const { return Date{sinceReferenceDate + s}; }
    constexpr Date operator+(double s) const { return addingTimeInterval(s); }
    constexpr Date operator-(double s) const { return addingTimeInterval(-s); }
    constexpr double operator-(Date other) const { return timeIntervalSince(other); }

    constexpr auto operator<=>(const Date&) const = default;
    constexpr bool operator==(const Date&) const = default;
};

} // namespace plyx
