// Views measure text, which needs a GUI application in the process; one is
// made before the first test and lives until the last.
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {
class GuiApp : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_shared_views_system";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QGuiApplication* app_ = nullptr;
};
[[maybe_unused]] auto* const kGuiApp = ::testing::AddGlobalTestEnvironment(new GuiApp);
} // namespace
