#pragma once
// The quotation of the day.
#include "platform/coding/Coding.h"

#include <string>

namespace plyx {

struct QuoteItem {
    std::string text;
    std::string author;

    bool operator==(const QuoteItem&) const = default;
};

PLYX_CODABLE(QuoteItem, text, author)

} // namespace plyx
