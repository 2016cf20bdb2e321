// Text measurement, the font database and the desktop palette need a GUI
// application in the process: one is made (offscreen) before the first test
// and lives until the last.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {
class GuiAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "plyx_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new GuiAppEnvironment);
} // namespace
