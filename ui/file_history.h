#pragma once
// The four most recently opened stories (FileHistory, most recent first).

#include "ui/display_settings.h"

#include <QString>

namespace rux::ui {

// Puts path at place 1. The first of places 1 to 3 that holds the same path
// (exact comparison) is taken out and the places above it move down by one;
// without such a match the entry at place 4 drops out, so a path equal to
// entry 4 is not listed twice either. An empty path changes nothing.
void addToHistory(FileHistory& history, const QString& path);

// The caption of history menu item number (1 to 4): "&1: " and the path,
// with any '&' in the path doubled so that it shows as written.
QString historyCaption(int number, const QString& path);

} // namespace rux::ui
