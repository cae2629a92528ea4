#pragma once
// Every message number the windows and the device link exchange, defined once.
// Numbers are WM_USER (1024) plus an offset; as Qt events they use the number
// itself as the event type, and carry wParam and lParam.

namespace somnexa::msg {

inline constexpr int kUser = 1024;
inline constexpr int WM_CHANGE_PAGE = kUser + 100;       // 1124 main window: show page wParam
inline constexpr int WM_USER_INFO = kUser + 101;         // 1125 footer refresh / analysis toolbar item
inline constexpr int WM_REFRESH = kUser + 301;           // 1325 refresh now, settings saved
inline constexpr int WM_OPTION_PAGE = kUser + 302;       // 1326 options window: page with tag wParam
inline constexpr int WM_USER_RESIZE = kUser + 303;       // 1327 lay out again
inline constexpr int WM_OPTION_SAVE = kUser + 310;       // 1334 options pages: 0 check, 1 save
inline constexpr int WM_SCALE_BUTTON = kUser + 320;      // 1344 scale button wParam pressed
inline constexpr int WM_CHART_CLICK = kUser + 404;       // 1428
inline constexpr int WM_CHART_HOVER = kUser + 405;       // 1429
inline constexpr int WM_CHART_SELECT = kUser + 406;      // 1430
inline constexpr int WM_DEVICE_NOTIFY = kUser + 800;     // 1824
inline constexpr int WM_DEVICE_ERROR = kUser + 801;      // 1825

}  // namespace somnexa::msg
