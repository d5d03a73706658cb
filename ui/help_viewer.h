#pragma once
// The help file (an HTML document shipped beside the executable as
// <name>.HLP, e.g. winrux.HLP) and a browser window that shows its topics.

#include <QString>

class QWidget;

namespace rux::ui {

// The help file beside the executable, or an empty string when there is
// none that can be read.
QString helpFilePath(const QString& executablePath);

// Opens (or raises) the help window at the anchor named topic. Returns
// false when the file cannot be read or has no such topic; the caller then
// says "Die Hilfedatei konnte leider nicht gefunden werden.".
bool showHelpTopic(QWidget* parent, const QString& helpFile, const QString& topic);

} // namespace rux::ui
