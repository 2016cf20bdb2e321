#include "shared/views/numbers/Decimal.h"

#include "platform/time/Time.h"

#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/unistr.h>

#include <array>
#include <charconv>
#include <cmath>
#include <memory>

namespace plyx::numbers {

std::string fixed(double value, int decimals) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    // 309 integer digits at most, a sign, a point and the decimals.
    std::array<char, 400> buf{};
    const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed,
                                         std::max(0, std::min(decimals, 60)));
    if (ec != std::errc()) return "nan";
    return std::string(buf.data(), end);
}

std::string grouped(std::int64_t value) {
    // One formatter per thread and locale: making one costs far more than
    // formatting with it, and the widgets format on every render.
    struct Cached {
        std::string locale;
        std::unique_ptr<icu::NumberFormat> format;
    };
    thread_local Cached cached;
    const std::string locale = time::currentLocale();
    if (!cached.format || cached.locale != locale) {
        UErrorCode status = U_ZERO_ERROR;
        cached.format.reset(icu::NumberFormat::createInstance(icu::Locale(locale.c_str()), status));
        if (U_FAILURE(status)) cached.format.reset();
        cached.locale = locale;
        if (cached.format) cached.format->setMaximumFractionDigits(0);
    }
    if (!cached.format) return std::to_string(value);
    icu::UnicodeString text;
    cached.format->format(static_cast<int64_t>(value), text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

} // namespace plyx::numbers
