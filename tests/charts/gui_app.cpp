#include "gui_app.h"

namespace {
[[maybe_unused]] testing::Environment* const kQtApp =
    testing::AddGlobalTestEnvironment(new somnexa::charts::test::QtAppEnvironment<QGuiApplication>);
}
