#include "shared/models/NoteItem.h"

#include "shared/models/SampleMoment.h"

namespace plyx {

const std::vector<NoteItem>& NoteItem::samples() {
    static const std::vector<NoteItem> s = [] {
        // Each note reads the clock as it is made.
        const auto note = [](const char* text, double age, bool pinned) {
            return NoteItem{Uuid::random(), text, models::sampleMoment() - age, pinned};
        };
        std::vector<NoteItem> v;
        v.push_back(note("Widget idea \u2014 dot-matrix pomodoro that fills as the session burns down.", 0, false));
        v.push_back(note("Pick up the spare keys from Jonas before seven.", 3600, false));
        v.push_back(note("1.2 changelog draft", 86400, false));
        v.push_back(note("Launch checklist: notarize, screenshots, press kit", 86400, true));
        v.push_back(note("Ask Maya about the dot map easter egg.", 259200, true));
        v.push_back(note("Refund policy wording", 345600, false));
        v.push_back(note("Widget gallery re-order", 432000, false));
        return v;
    }();
    return s;
}

} // namespace plyx
