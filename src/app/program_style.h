#pragma once
// The program's look: the font (with the Chinese glyphs) and the calm blue
// style of buttons, lists and boxes.

class QApplication;

namespace somnexa::app {

void applyProgramStyle(QApplication& application);

}  // namespace somnexa::app
