#include "engine/script/script_messages.h"

#include "engine/text/codepage.h"

namespace rux::scriptMessages {

namespace {

std::string at(uint32_t address) {
    return " an Adresse " + std::to_string(address);
}

} // namespace

std::string unrecognisedInstruction(uint8_t lastCode, uint8_t code, uint32_t address) {
    return "[Fehler: Nicht erkannte Anweisung " + std::to_string(lastCode) + "/" +
           std::to_string(code) + at(address) + ".]";
}

std::string stackOverflow(int depth) {
    return utf8ToCp1252("Fatal: Überlauf des Stapelspeichers ") + std::to_string(depth);
}

std::string jumpOutsideBlock(uint16_t target, uint32_t address) {
    return "[Fehler: Sprungziel " + std::to_string(target) + utf8ToCp1252(" außerhalb des Blocks") +
           at(address) + ".]";
}

std::string tooManyBlockLevels(uint32_t address) {
    return utf8ToCp1252("[Fehler: Zu tief verschachtelte Blöcke") + at(address) + ".]";
}

std::string closeWithoutBlock(uint32_t address) {
    return "[Fehler: Blockende ohne offenen Block" + at(address) + ".]";
}

std::string pastBlockEnd(uint32_t address) {
    return utf8ToCp1252("[Fehler: Anweisung reicht über das Blockende") + at(address) + ".]";
}

std::string badSelectionEntry(uint32_t address) {
    return utf8ToCp1252("[Fehler: Ungültiger Auswahleintrag") + at(address) + ".]";
}

std::string endlessLoop(uint32_t address) {
    return "[Fehler: Endlosschleife abgebrochen" + at(address) + ".]";
}

} // namespace rux::scriptMessages
