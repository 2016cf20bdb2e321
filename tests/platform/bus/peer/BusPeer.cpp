// The other process of the bus tests.
//   bus_peer post NAME [COUNT]  posts NAME COUNT times (default 1); exit 0 when
//                               every post reached the bus, 1 when none did
//   bus_peer observe NAME       prints "ready" once observing, "heard" and
//                               exits 0 at the first post of NAME
#include "platform/bus/Bus.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) return 2;
    const std::string mode = argv[1];
    const std::string name = argv[2];
    if (mode == "post") {
        const int count = argc > 3 ? std::atoi(argv[3]) : 1;
        int sent = 0;
        for (int i = 0; i < count; ++i) sent += plyx::bus::post(name) ? 1 : 0;
        return sent == count ? 0 : sent == 0 ? 1 : 3;
    }
    if (mode == "observe") {
        auto observation = plyx::bus::observe(name, [] {
            std::puts("heard");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
        if (!observation->isObserving()) return 1;
        std::puts("ready");
        std::fflush(stdout);
        return app.exec();
    }
    return 2;
}
