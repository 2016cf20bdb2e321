#pragma once
// Text comparison in the user's locale, for searches typed by a person.
#include <string>

namespace plyx::time {

/// Whether `text` contains `part` ignoring case, with the case rules of the
/// locale (`localeId`, the current one when empty): in Turkish and Azeri "i"
/// and "İ" are one letter. Accents count. An empty `part` is in no text.
bool localizedCaseInsensitiveContains(const std::string& text, const std::string& part,
                                      const std::string& localeId = {});

} // namespace plyx::time
