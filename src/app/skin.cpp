#include "app/skin.h"

#include <utility>

#include "app/window_helpers.h"

namespace somnexa::app {

bool LoadSkin(const QString& moduleFile, SkinPictures& skin) {
    const ResourceModule module(moduleFile);
    if (!module.isOpen()) return false;
    const std::pair<const char*, QPixmap*> pngs[] = {
        {"Login", &skin.Login},           {"HeadLeft", &skin.HeadLeft},       {"HeadMiddle", &skin.HeadMiddle},
        {"HeadRight", &skin.HeadRight},   {"MenuLeft", &skin.MenuLeft},       {"MenuMiddle", &skin.MenuMiddle},
        {"MenuRight", &skin.MenuRight},   {"SelectLeft", &skin.SelectLeft},   {"SelectMiddle", &skin.SelectMiddle},
        {"SelectRight", &skin.SelectRight}, {"FooterLeft", &skin.FooterLeft}, {"FooterMiddle", &skin.FooterMiddle},
        {"FooterRight", &skin.FooterRight}, {"Left", &skin.Left},             {"Right", &skin.Right},
    };
    for (const auto& [name, picture] : pngs) {
        if (!LoadPngResource(module, QString::fromLatin1(name), *picture)) return false;
    }
    const std::pair<const char*, QPixmap*> bitmaps[] = {
        {"Question", &skin.Question}, {"Question1", &skin.Question1}, {"min1", &skin.min1},
        {"min", &skin.min},           {"Max1", &skin.Max1},           {"Max", &skin.Max},
        {"Close1", &skin.Close1},     {"Close", &skin.Close},
    };
    for (const auto& [name, picture] : bitmaps) {
        if (!LoadBitmapResource(module, QString::fromLatin1(name), *picture)) return false;
    }
    return true;
}

}  // namespace somnexa::app
