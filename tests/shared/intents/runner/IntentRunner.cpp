// The process that performs a tap in the intent tests, as the widget host
// does: rebuilds each serialised intent given and performs it on a worker.
//   intent_runner [--now SECONDS] [--times N] FORM...
// --now fixes the clock (seconds since 2001); --times performs each form N
// times. Exit 0 when all were performed, 2 (with the reason on standard
// error) when a form is refused, 3 when a perform failed (the intent logs why).
#include "platform/time/Time.h"
#include "shared/identity/AppIdentity.h"
#include "shared/intents/InteractiveIntents.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    using namespace plyx;
    AppIdentity::configurePlatform(AppIdentity::Program::extension);
    int times = 1;
    std::vector<std::string> forms;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--now" && i + 1 < argc) {
            const Date at{std::strtod(argv[++i], nullptr)};
            time::setClock([at] { return at; });
        } else if (arg == "--times" && i + 1 < argc) {
            times = std::atoi(argv[++i]);
        } else {
            forms.push_back(arg);
        }
    }
    registerInteractiveIntents();
    bool failed = false;
    for (const auto& form : forms) {
        for (int n = 0; n < times; ++n) {
            std::string error;
            auto intent = intents::IntentRegistry::shared().rebuild(form, &error);
            if (!intent) {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 2;
            }
            auto done = intents::performOnWorker(std::move(intent));
            done.waitForFinished();
            failed = failed || !done.result();
        }
    }
    return failed ? 3 : 0;
}
