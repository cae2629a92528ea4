#include "device/windows/down_data_style.h"

namespace somnexa::device::windows {

QString DownDataStyleSheet() {
    return QStringLiteral(
        "QGroupBox#grpDevice, QGroupBox#grpData { border: 1px solid #d3deea; border-radius: 8px; margin-top: 12px;"
        "  padding-top: 8px; font-weight: 600; color: #1d4f82; }"
        "QGroupBox#grpDevice::title, QGroupBox#grpData::title { subcontrol-origin: margin; left: 12px;"
        "  padding: 0 6px; background: white; }"
        "QListWidget#lvList { border: 1px solid #d3deea; border-radius: 4px; background: #fbfdff; padding: 6px; }"
        "QListWidget#lvList::item { border: 1px solid transparent; border-radius: 6px; padding: 4px; color: #23384d; }"
        "QListWidget#lvList::item:hover { background: #eaf3fc; border-color: #c4d9ee; }"
        "QListWidget#lvList::item:selected { background: #d6e8f8; border-color: #2e80c9; color: #10304f; }"
        "QTreeWidget#lstLogData { border: 1px solid #d3deea; background: white;"
        "  alternate-background-color: #f5f9fd; selection-background-color: #cfe3f6; selection-color: #10304f; }"
        "QTreeWidget#lstLogData::item { height: 24px; }"
        "QPushButton[link=\"true\"] { border: none; background: transparent; color: #1a63b0; padding: 0;"
        "  text-decoration: underline; min-width: 0; }"
        "QPushButton[link=\"true\"]:hover { color: #0b3f78; }"
        "QLabel#lblPatient { color: #35506b; }");
}

}  // namespace somnexa::device::windows
