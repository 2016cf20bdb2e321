#pragma once
// The action that opens the main window's notes manager, handed down to the
// screens inside the window so a button deep in one of them can open it
// without knowing the window. Outside the main window the default does
// nothing, so calling it there is harmless.
#include <functional>

namespace plyx {

struct OpenNotesManagerAction {
    std::function<void()> run = [] {};
};

} // namespace plyx
