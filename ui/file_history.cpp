#include "ui/file_history.h"

namespace rux::ui {

void addToHistory(FileHistory& history, const QString& path) {
    if (path.isEmpty()) return;
    int place = static_cast<int>(history.size()) - 1; // no match: the last entry drops out
    for (int i = 0; i + 1 < static_cast<int>(history.size()); ++i) {
        if (history[i] == path) {
            place = i;
            break;
        }
    }
    for (int i = place; i > 0; --i)
        history[i] = history[i - 1];
    history[0] = path;
}

QString historyCaption(int number, const QString& path) {
    QString shown = path;
    shown.replace('&', "&&");
    return QStringLiteral("&%1: %2").arg(number).arg(shown);
}

} // namespace rux::ui
