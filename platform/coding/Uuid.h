#pragma once
// A 128-bit identifier, written in canonical hyphenated upper-case form.
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plyx {

struct Uuid {
    std::array<std::uint8_t, 16> bytes{};

    /// A fresh random (version 4) identifier.
    static Uuid random();
    /// Parses the 8-4-4-4-12 hexadecimal form (either case); nothing otherwise.
    static std::optional<Uuid> parse(std::string_view text);
    /// "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
    std::string string() const;

    auto operator<=>(const Uuid&) const = default;
    bool operator==(const Uuid&) const = default;
};

} // namespace plyx
