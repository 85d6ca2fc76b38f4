// One QApplication for every test of this program; windows stay off screen (QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

int argc = 1;
char name[] = "app_tests";
char* argv[] = {name, nullptr};

struct QtApplication : ::testing::Environment {
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new QtApplication);

}  // namespace
