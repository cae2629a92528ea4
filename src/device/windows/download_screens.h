#pragma once
// Pictures of the download page for the screens program: the device list,
// the session list once the indexes have been read, and the progress window
// during a transfer, all from a simulated ventilator.

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace somnexa::device::windows {

// Writes a flash image with a few nights for the demo (false on failure).
bool WriteDemoFlash(const std::string& path);

using SaveScreen = std::function<bool(QWidget* widget, const QString& name)>;

// page: the download page shown in mainWindow, its ventilator simulated.
// Saves tag + "_main_down_data_devices", "_main_down_data_sessions",
// "_downing_index" and "_downing_data"; cancels the transfer at the end.
bool SaveDownloadScreens(QWidget* mainWindow, QWidget* page, const QString& tag, const SaveScreen& save);

}  // namespace somnexa::device::windows
