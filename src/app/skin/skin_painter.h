#pragma once
// The pictures of the program's skin, drawn in a calm blue medical style.
// Every picture is made from gradients, rounded shapes and simple line
// icons, so the skin needs no picture files in the sources.

#include <QImage>
#include <QString>

#include <map>

namespace somnexa::skin {

// Name (as the main window asks for it) to picture.
std::map<QString, QImage> drawPngPictures();
std::map<QString, QImage> drawButtonPictures();

}  // namespace somnexa::skin
