#include "engine/world/load_messages.h"

#include "engine/text/codepage.h"

namespace rux::loadMessages {

std::string oldFormat() {
    return "Fehler - Dateien von V.U.X. 1.0 sind mit V.U.X. 2.0 leider nicht kompatibel.";
}

std::string wrongFormat() { return "Fehler - V.U.X.-Datei hat das falsche Format."; }

std::string wrongObjectNumber(int n) {
    return "Fatal! Fehler beim Lesen der Objekte (" + std::to_string(n) + ")!";
}

std::string wrongSectionMarker(std::string_view expected) {
    return "*** FEHLER ***\n" + std::string(expected) +
           ": Falsches Datenformat der VUX-Datei. Programm vorzeitig angebrochen.";
}

std::string cannotOpen(const std::string& fileName) {
    return utf8ToCp1252("Fehler - Die Spieldatei \"") + fileName +
           utf8ToCp1252("\" kann nicht geöffnet werden.");
}

std::string truncatedFile(const std::string& fileName) {
    return utf8ToCp1252("Fehler - Die Spieldatei \"") + fileName +
           utf8ToCp1252("\" ist unvollständig (vorzeitiges Dateiende).");
}

std::string codeAreaFull() {
    return utf8ToCp1252(
        "Fehler - V.U.X.-Datei zu groß: der Programmcode passt nicht in 65536 Bytes.");
}

std::string textAreaFull() {
    return utf8ToCp1252("Fehler - V.U.X.-Datei zu groß: die Texte passen nicht in 262144 Bytes.");
}

std::string beyondCapacity(std::string_view what, int count, int limit) {
    return utf8ToCp1252("Fehler - V.U.X.-Datei überschreitet die Grenzen des Spielers: ") +
           utf8ToCp1252(what) + " (" + std::to_string(count) + utf8ToCp1252(", höchstens ") +
           std::to_string(limit) + ").";
}

}  // namespace rux::loadMessages
