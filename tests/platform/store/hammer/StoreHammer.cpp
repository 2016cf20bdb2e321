// Writes into a suite from a second process: `store_hammer SUITE N` adds 1 to
// "hammer.count" N times atomically and rewrites "hammer.other.<pid>" each time.
#include "platform/store/Defaults.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const int n = std::atoi(argv[2]);
    auto suite = plyx::store::Defaults::suite(argv[1]);
    if (!suite) return 3;
    const std::string own = "hammer.other." + std::to_string(::getpid());
    for (int i = 0; i < n; ++i) {
        suite->updateInteger("hammer.count", [](std::int64_t v) { return v + 1; });
        suite->setInteger(own, i);
    }
    return suite->integer(own) == n - 1 ? 0 : 4;
}
