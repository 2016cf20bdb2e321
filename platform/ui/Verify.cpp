#include "platform/ui/Verify.h"

#include <cstdio>
#include <cstdlib>

namespace plyx::ui::detail {

void verifyFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant failed: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

} // namespace plyx::ui::detail
