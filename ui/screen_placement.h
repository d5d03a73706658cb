#pragma once
// Keeps a stored window geometry reachable when the screens have changed
// since it was saved (a monitor removed, a lower resolution).

#include <QList>
#include <QRect>

namespace rux::ui {

// A geometry whose top band (where the title bar is grabbed) overlaps some
// screen by a usable piece stays as it is. Otherwise the window is moved
// onto the primary screen, centred, and shrunk to fit it where it is larger.
// An empty primary rectangle leaves the geometry unchanged.
QRect placeOnScreen(const QRect& geometry, const QList<QRect>& screens, const QRect& primary);

} // namespace rux::ui
