#pragma once
// The look of the download page beyond the patient pages' shared style: the
// titled groups, the device list's tiles, the link labels and the session list.

#include <QString>

namespace somnexa::device::windows {

QString DownDataStyleSheet();

}  // namespace somnexa::device::windows
