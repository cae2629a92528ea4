#pragma once
// The Qt application the chart tests draw with (offscreen, made once).

#include <QGuiApplication>

namespace somnexa::charts::test {

inline void ensureGuiApp() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "charts_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

}  // namespace somnexa::charts::test
