#pragma once
// The animation of the loading window: a ring of dots turning, blue on
// white (white being the window's transparent colour).

#include <QByteArray>

namespace somnexa::skin {

QByteArray drawLoadingGif();

}  // namespace somnexa::skin
