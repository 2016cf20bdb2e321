#include "bench/support/BenchApp.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace plyx::bench {

QGuiApplication& benchApp(const char* name) {
    static QGuiApplication* app = [name] {
        namespace fs = std::filesystem;
        const auto root = fs::temp_directory_path() / (std::string("plyx-") + name + "-" + std::to_string(::getpid()));
        fs::create_directories(root);
        static const std::string kept = root.string();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(kept, ec);
        });
        ::setenv("XDG_DATA_HOME", root.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static std::string program = name;
        static char* argv[] = {program.data(), nullptr};
        return new QGuiApplication(argc, argv);
    }();
    return *app;
}

} // namespace plyx::bench
