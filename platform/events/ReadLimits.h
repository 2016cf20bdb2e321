#pragma once
// How much one read of the calendar sources takes on, whatever the files
// hold. Calendar files come from other programs and from whoever sends an
// invitation, and a read runs on every sync, so its cost must follow the
// size of the input and stay bounded however the rules inside are written.
#include <cstddef>

namespace plyx::events::detail {

/// A content line (unfolded) longer than this is left out before parsing.
/// Nothing the reader uses comes near it; what does are inline attachments
/// and bloated descriptions, which the reader never looks at.
inline constexpr size_t kMaxLineBytes = 64 * 1024;

/// A TZID longer than this is not looked up as a zone name (the longest
/// real ones, vendor prefix included, are well under a hundred bytes).
inline constexpr size_t kMaxZoneIdBytes = 256;

/// Steps one recurrence rule may take (a secondly rule over years stops here).
inline constexpr int kMaxStepsPerRule = 100000;

/// Expansion steps (rule steps and added dates) of one read, over all files.
inline constexpr long kMaxStepsPerRead = 200000;

/// Occurrences one read hands out.
inline constexpr long kMaxOccurrencesPerRead = 10000;

/// Zone changes the file's own VTIMEZONEs may expand to in one read; a zone
/// that would take more is not used (its times read as floating).
inline constexpr long kMaxZoneChangesPerRead = 50000;

/// What is left of one read's allowance. Each read starts a fresh one; when
/// a part runs out, the read stops expanding and says so once in the log.
struct ReadBudget {
    long steps = kMaxStepsPerRead;
    long occurrences = kMaxOccurrencesPerRead;
    long zoneChanges = kMaxZoneChangesPerRead;
    bool cutLogged = false;

    bool exhausted() const { return steps <= 0 || occurrences <= 0; }
    /// Logs, once per read, that the expansion stopped short.
    void noteCut();
    /// Takes one expansion step; false (the cut noted) once the read has
    /// none left, so the caller stops expanding.
    bool takeStep() {
        if (exhausted()) {
            noteCut();
            return false;
        }
        --steps;
        return true;
    }
};

} // namespace plyx::events::detail
