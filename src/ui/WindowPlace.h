// Where a window is, measured the way it is put back at the next start: the frame's
// position (what move() takes) and the inside's size (what resize() takes). Saving one
// and restoring the other moves a window by its title bar at every start.
#pragma once

#include <QRect>

class QWidget;

// The place of `window` as it shows when not maximised or minimised.
QRect placeToSave(const QWidget& window);
