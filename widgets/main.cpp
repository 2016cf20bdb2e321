// PlyxWidgets: for now, tells where the shared storage lives.
#include "shared/storage/SharedStorage.h"

#include <cstdio>

int main() {
    plyx::store::Defaults::setStandardName("com.zelvanedesigns.plyx.widgets");
    const auto suite = plyx::SharedStorage::suite();
    std::printf("shared storage: %s\n", suite.path().c_str());
    std::printf("app-group container: %s\n", plyx::SharedStorage::container().c_str());
    return 0;
}
