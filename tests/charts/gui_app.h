#pragma once
// The Qt application a chart test program draws with (offscreen): made when
// the tests start and destroyed when they end, before the program's exit
// handlers run, so that Qt tears down its fonts and input devices in order.

#include <QCoreApplication>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace somnexa::charts::test {

template <class App>
class QtAppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (QCoreApplication::instance() == nullptr) app_ = std::make_unique<App>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "charts_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<App> app_;
};

// The application exists for the whole run; kept for the fixtures' clarity.
inline void ensureGuiApp() {}

}  // namespace somnexa::charts::test
