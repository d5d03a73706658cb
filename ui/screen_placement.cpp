#include "ui/screen_placement.h"

#include <algorithm>

namespace rux::ui {
namespace {

// How much of the window's top band must lie on one screen for the player
// to grab it: its full width up to this many pixels, and a few rows.
constexpr int kGripWidth = 64;
constexpr int kGripBand = 24;
constexpr int kGripRows = 8;

bool reachable(const QRect& geometry, const QRect& screen) {
    const QRect band(geometry.left(), geometry.top(), geometry.width(),
                     std::min(kGripBand, geometry.height()));
    const QRect onScreen = band.intersected(screen);
    return !onScreen.isEmpty() && onScreen.width() >= std::min(kGripWidth, band.width()) &&
           onScreen.height() >= std::min(kGripRows, band.height());
}

} // namespace

QRect placeOnScreen(const QRect& geometry, const QList<QRect>& screens, const QRect& primary) {
    if (primary.isEmpty()) return geometry;
    if (!geometry.isEmpty()) {
        if (reachable(geometry, primary)) return geometry;
        for (const QRect& screen : screens)
            if (reachable(geometry, screen)) return geometry;
    }
    const QSize size(std::clamp(geometry.width(), 1, primary.width()),
                     std::clamp(geometry.height(), 1, primary.height()));
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(primary.center());
    return placed;
}

} // namespace rux::ui
