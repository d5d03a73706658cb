#include "engine/session/saved_games.h"

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/script/cell_names.h"
#include "engine/script/values.h"
#include "engine/session/questions.h"
#include "engine/session/state_image.h"
#include "engine/session/undo.h"
#include "engine/session/whole_file.h"
#include "engine/text/codepage.h"
#include "engine/text/formatter.h"
#include "engine/text/output.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace rux {

namespace {

constexpr uint8_t failedOperation = 99;
constexpr std::size_t identificationLength = 20;
constexpr std::size_t countBytes = 5;
constexpr std::size_t checkBytes = 5;

std::string identification(const World& world) {
    return world.storyLabel.substr(0, identificationLength);
}

std::array<uint8_t, countBytes> savedCounts(const World& world) {
    const HeaderCounts& c = world.counts;
    return {c.scoreSlotCount, c.roomCount, c.portableCount, c.byteVariableCount,
            c.longVariableCount};
}

std::size_t savedGameSize(const Engine& engine) {
    return identification(engine.world).size() + countBytes + computeStateSize(engine) + checkBytes;
}

void setFailed(Engine& engine) {
    engine.world.byteVariables[parseErrorVariable] = failedOperation;
}

// Captures the world into an image of its own and lays out the file. The
// end-of-turn image stays as it was, so that a later undo still names the
// last turn's command rather than the save.
std::vector<uint8_t> savedGameBytes(Engine& engine) {
    const std::string id = identification(engine.world);
    std::vector<uint8_t> bytes(id.begin(), id.end());
    const std::array<uint8_t, countBytes> counts = savedCounts(engine.world);
    bytes.insert(bytes.end(), counts.begin(), counts.end());

    StateImage image(computeUsedSize(engine));
    writeStateImage(engine, image);
    bytes.insert(bytes.end(), image.begin(), image.end());
    // The room a saved game reserves beyond the bytes the image fills.
    bytes.resize(bytes.size() + computeStateSize(engine) - image.size(), 0);

    const std::array<uint8_t, checkBytes> check = checkValue(engine);
    bytes.insert(bytes.end(), check.begin(), check.end());
    return bytes;
}

bool writeSavedGame(Engine& engine, const std::string& fileName) {
    if (fileExists(fileName)) {
        formatText(
            engine,
            utf8ToCp1252("Diese Datei gibt es bereits. Soll sie überschrieben werden?[J//N] "));
        if (!askYesNo(engine)) {
            formatText(engine, "Vorgang abgebrochen./x/x");
            return true;
        }
    }
    if (!replaceFile(fileName, savedGameBytes(engine))) {
        setFailed(engine);
        formatText(engine, "Fehler beim Schreiben. Vorgang abgebrochen./x/x");
        return false;
    }
    formatText(engine, "Spielstand erfolgreich abgespeichert./x/x");
    engine.saves.unsavedProgress = false;
    return true;
}

bool matchesLoadedStory(const Engine& engine, const std::vector<uint8_t>& bytes) {
    if (bytes.size() != savedGameSize(engine)) return false;
    const std::string id = identification(engine.world);
    const std::array<uint8_t, countBytes> counts = savedCounts(engine.world);
    return std::equal(id.begin(), id.end(), bytes.begin()) &&
           std::equal(counts.begin(), counts.end(), bytes.begin() + id.size());
}

void refuseFormat(Engine& engine) {
    formatText(engine, "Fehler beim Lesen: Falsches Dateiformat. Vorgang abgebrochen/x");
    setFailed(engine);
    formatText(engine, "/x");
}

// A file whose check bytes do not fit what it restored was changed by hand
// or damaged: the game goes on from where it was before.
bool applySavedGame(Engine& engine, const std::vector<uint8_t>& bytes) {
    const std::size_t imageStart = identification(engine.world).size() + countBytes;
    const std::span<const uint8_t> image(bytes.data() + imageStart, computeUsedSize(engine));
    const std::span<const uint8_t> stored(bytes.end() - checkBytes, bytes.end());

    const World before = engine.world;
    readStateImage(engine, image);
    const std::array<uint8_t, checkBytes> check = checkValue(engine);
    if (!std::equal(check.begin(), check.end(), stored.begin())) {
        engine.world = before;
        return false;
    }
    engine.saves.fileImage.assign(image.begin(), image.end());
    engine.saves.fileObjects = {};
    return true;
}

bool readSavedGame(Engine& engine, const std::string& fileName) {
    const FileContents file = readFileUpTo(fileName, savedGameSize(engine));
    if (file.status == FileContents::Status::CannotOpen) {
        outputText(engine, "Fehler beim Lesen. Vermutlich existiert die Datei nicht. "
                           "Vorgang abgebrochen.");
        paragraphBreak(engine);
        setFailed(engine);
        return false;
    }
    if (file.status == FileContents::Status::ReadError || !matchesLoadedStory(engine, file.bytes)) {
        refuseFormat(engine);
        return file.status != FileContents::Status::ReadError;
    }
    if (!applySavedGame(engine, file.bytes)) {
        setFailed(engine);
        formatText(engine,
                   "Fehler beim Lesen. Datei vermutlich manipuliert. Vorgang abgebrochen./x/x");
        return true;
    }
    formatText(engine, "Spielstand erfolgreich geladen./x");
    engine.saves.unsavedProgress = false;
    engine.text.footnoteTable.fill(0);
    engine.text.footnoteCount = 0;
    engine.world.byteVariables[gameEndCodeVariable] = 0;
    freeUndo(engine); // the turns before belong to another game
    formatText(engine, "/x");
    return true;
}

} // namespace

std::array<uint8_t, 5> checkValue(Engine& engine) {
    const World& world = engine.world;
    const HeaderCounts& c = world.counts;
    uint32_t sum = 0;
    for (int n = 1; n <= c.portableCount; ++n) {
        const ObjectRecord& o = world.objects[n];
        sum += 2u * o.state + o.holder + o.relation + o.spaceLeft + 8u * o.target;
    }
    for (int i = 1; i <= c.byteVariableCount; ++i)
        sum += 2u * static_cast<uint8_t>(readValue(engine, 3, static_cast<uint8_t>(i)));
    for (int i = 1; i <= c.scoreSlotCount; ++i)
        sum += 4u * world.scoreSlots[i];
    return {static_cast<uint8_t>(sum), static_cast<uint8_t>(sum / 2), static_cast<uint8_t>(sum / 3),
            static_cast<uint8_t>(sum / 7), static_cast<uint8_t>(sum / 13)};
}

bool saveGame(Engine& engine, const std::string& fileName) {
    try {
        return writeSavedGame(engine, fileName);
    } catch (const FatalError&) {
        throw;
    } catch (const std::exception&) {
        setFailed(engine);
        engine.host.showMessage("Fehler beim Speichern!");
        return false;
    }
}

bool restoreGame(Engine& engine, const std::string& fileName) {
    try {
        return readSavedGame(engine, fileName);
    } catch (const FatalError&) {
        throw;
    } catch (const std::exception&) {
        setFailed(engine);
        engine.host.showMessage("Fehler beim Lesen!");
        return false;
    }
}

} // namespace rux
