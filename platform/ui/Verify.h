#pragma once
// PLYX_VERIFY(condition): an invariant check that stays on in every build type.
// Use it for what the code after it relies on and no caller can be trusted to
// have ensured; a failed check writes the condition and its place to standard
// error and aborts, since going on would draw garbage or never end.
#define PLYX_VERIFY(condition)                                                                                     \
    ((condition) ? static_cast<void>(0) : ::plyx::ui::detail::verifyFailed(#condition, __FILE__, __LINE__))

namespace plyx::ui::detail {

[[noreturn]] void verifyFailed(const char* condition, const char* file, int line);

} // namespace plyx::ui::detail
