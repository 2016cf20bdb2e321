// The pane and sheet are Qt Widgets: a widgets application is made before
// the first test and kept to the last (offscreen, as every test runs).
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {
class WidgetsAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "plyx_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new WidgetsAppEnvironment);
} // namespace
