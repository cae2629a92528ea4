#pragma once
// The pictures of the main window's skin, read from the skin module
// "face.rcc" in the program folder.

#include <QPixmap>
#include <QString>

namespace somnexa::app {

struct SkinPictures {
    QPixmap Login;  // the logo
    QPixmap HeadLeft, HeadMiddle, HeadRight;
    QPixmap MenuLeft, MenuMiddle, MenuRight;
    QPixmap SelectLeft, SelectMiddle, SelectRight;
    QPixmap FooterLeft, FooterMiddle, FooterRight;
    QPixmap Left, Right;
    // Window buttons, normal then hot.
    QPixmap Question, Question1;
    QPixmap min1, min;
    QPixmap Max1, Max;
    QPixmap Close1, Close;
};

// Reads every picture; false as soon as one is missing or unreadable.
bool LoadSkin(const QString& moduleFile, SkinPictures& skin);

}  // namespace somnexa::app
