#pragma once
// The settings file: the player's display preferences, window geometry,
// tool bar visibility and file history, kept between runs in a small INI
// file. Sections and keys:
//   [colours]  mainbg main bold input statusbg status scrollbg scroll
//   [fonts]    <prefix>name <prefix>size <prefix>style for the prefixes
//              main bold input status scroll
//   [geometry] top left height width
//   [display]  margin linespacing toolbar
//   [history]  file1 .. file4
// Colours are colour references (red in the low byte, then green, then
// blue) written as signed decimals; style values are the bit sets of
// display_settings.h; the line spacing is a decimal with '.' whatever the
// locale. A key that is missing or cannot be read keeps its default, and so
// does a value out of range: display values outside the ranges of
// display_settings.h, a colour outside 0..0xFFFFFF, window coordinates
// beyond +-100000 pixels or a width or height below 1.

#include "ui/display_settings.h"

#include <QString>

namespace rux::ui {

// Where the settings file lives: beside the executable with the ending
// ".INI" (winrux -> winrux.INI, winrux.exe -> winrux.INI) where that folder
// is writable, otherwise the same name in the per-user configuration folder,
// so that the settings are not lost on an installed system.
QString settingsFilePath(const QString& executablePath);

// The file beside the executable, whether or not its folder is writable.
QString settingsFileBesideExecutable(const QString& executablePath);

// Reads the settings; a missing file gives all defaults and every key that
// cannot be read keeps its default. Display values come back sanitised.
WindowSettings readSettings(const QString& path);

// Writes every value (colours, fonts, geometry, display, history, in that
// order); creates the folder if needed. Returns false when the file cannot
// be written, leaving an existing file as it was.
bool writeSettings(const QString& path, const WindowSettings& settings);

// The INI text itself, for the file functions above and for tests. The
// file is UTF-8; decodeSettings also takes one with a byte order mark or in
// a single-byte code page.
QString formatSettings(const WindowSettings& settings);
WindowSettings parseSettings(const QString& text);
QString decodeSettings(const QByteArray& bytes);

// Colour references as the file stores them.
int colourReference(const QColor& colour);
QColor colourFromReference(int reference);

} // namespace rux::ui
