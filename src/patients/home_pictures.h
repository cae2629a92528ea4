#pragma once
// The pictures of the home page, drawn once: the five tile icons, the hover
// frame that marks the tile under the mouse, and the history item icon.

#include <QPixmap>

namespace somnexa::patients {

inline constexpr int kTileWidth = 330;
inline constexpr int kTileHeight = 124;

// The icon of tile tag 1 (patient list) to 5 (settings).
QPixmap TileIcon(int tag);
// The hover frame, kTileWidth x kTileHeight.
QPixmap HoverFrame();
// The small icon of a history entry.
QPixmap HistoryIcon();

}  // namespace somnexa::patients
