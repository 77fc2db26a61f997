#pragma once

// The program's small picture: a lower-hemisphere net with the three principal axes, drawn
// rather than shipped, so that no file beside the program is needed.

#include <QPixmap>

namespace tesmor::gui {

QPixmap Logo(int size, qreal devicePixelRatio = 1.0);

} // namespace tesmor::gui
