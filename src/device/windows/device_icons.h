#pragma once
// The pictures of the device list, 48 x 32 pixels: the known ventilator
// model, any other model, and the device whose session indexes have been
// read. Drawn once, in code, so the list needs no picture files.

#include <QPixmap>

namespace somnexa::device::windows {

inline constexpr int kDeviceIconWidth = 48;
inline constexpr int kDeviceIconHeight = 32;

// icon: kIconKnownModel, kIconOtherModel or kIconDownloaded; another number
// gives the picture of another model.
QPixmap DeviceIconPicture(int icon);

}  // namespace somnexa::device::windows
