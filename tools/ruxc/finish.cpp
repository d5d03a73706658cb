// Last pass: numbers that depend on the whole story (exit messages and
// routines, the verb list, table sizes), the story's sets, and the checks
// of what a story file can hold.

#include "tools/ruxc/compilation.h"

namespace ruxc {

namespace {

template <typename List> void sizeTo(List& list, int count) {
    if (static_cast<int>(list.size()) < count) list.resize(count);
}

} // namespace

void finishStory(Compilation& c) {
    rux::storykit::Story& story = c.story;
    const SourcePlace storyPlace{c.fileNames.empty() ? "" : c.fileNames[0], 1, 1};

    story.verbs = c.verbs;
    if (story.verbs.size() > 255) c.error(storyPlace, "mehr als 255 Verben");

    const int roomCount = static_cast<int>(story.rooms.size());
    const int messages = static_cast<int>(story.exitMessages.size());
    const int exitTotal = roomCount + messages + static_cast<int>(story.exitRoutines.size());
    if (exitTotal > 255)
        c.error(storyPlace, "Räume, Ausgangsmeldungen und Ausgangsroutinen zusammen sind mehr "
                            "als 255 (" +
                                std::to_string(exitTotal) + ")");
    for (const PendingExit& e : c.pendingExits) {
        const int id = roomCount + e.index + 1 + (e.isRoutine ? messages : 0);
        story.rooms[e.room].exits[e.direction - 1] = static_cast<uint8_t>(id);
    }
    for (rux::storykit::StoryRoom& room : story.rooms)
        sizeTo(room.exits, story.directionCount);

    if (static_cast<int>(story.objects.size()) >= rux::lastStoryObject)
        c.error(storyPlace, "mehr als 249 Objekte");

    sizeTo(story.routines, c.highest[SymbolKind::Routine]);
    sizeTo(story.textRoutines, c.highest[SymbolKind::TextRoutine]);
    if (!c.hasStartRoutine) c.error(storyPlace, "die Startroutine fehlt (eine Routine mit „@1“)");
    sizeTo(story.byteVariables, c.highest[SymbolKind::ByteVariable]);
    sizeTo(story.longVariables, c.highest[SymbolKind::LongVariable]);
    sizeTo(story.objectVariables, c.highest[SymbolKind::ObjectVariable]);
    sizeTo(story.roomVariables, c.highest[SymbolKind::RoomVariable]);
    sizeTo(story.messageVariables, c.highest[SymbolKind::MessageVariable]);
    sizeTo(story.byteArrays, c.highest[SymbolKind::ByteArray]);
    sizeTo(story.objectFlags, c.highest[SymbolKind::ObjectFlag]);
    sizeTo(story.roomFlags, c.highest[SymbolKind::RoomFlag]);

    // Routine 2 runs every turn like the routines marked "everyturn".
    if (story.routines.size() >= 2 && !story.routines[1].empty()) c.everyTurnRoutines.insert(2);
    c.tailSets[1].assign(c.metaActions.begin(), c.metaActions.end());
    c.tailSets[2].assign(c.everyTurnRoutines.begin(), c.everyTurnRoutines.end());
    for (std::size_t k = 0; k < c.tailSets.size(); ++k) {
        story.tailSets[k] = c.tailSets[k];
        if (story.tailSets[k].size() > 255)
            c.error(storyPlace, "eine Menge mit mehr als 255 Elementen");
    }

    std::size_t codeBytes = 0;
    auto count = [&](const rux::storykit::Code& code) {
        if (!code.empty()) codeBytes += (code.size() + 3) / 4 * 4;
    };
    for (const auto& o : story.objects)
        for (const auto& s : o.scripts)
            count(s);
    for (const auto& r : story.rooms)
        for (const auto& s : r.scripts)
            count(s);
    for (const auto& a : story.actions)
        count(a.script);
    for (const auto& h : story.actionHooks)
        count(h);
    for (const auto& s : story.routines)
        count(s);
    for (const auto& s : story.textRoutines)
        count(s);
    for (const auto& s : story.exitRoutines)
        count(s);
    for (const auto& a : story.byteArrays)
        codeBytes += ((a.dim1 == 0 ? 256 : a.dim1) * a.dim2 * a.dim3 + 3) / 4 * 4;
    if (codeBytes > rux::codeAreaSize)
        c.error(storyPlace, "Skripte und Felder brauchen " + std::to_string(codeBytes) +
                                " Bytes; der Codebereich fasst " +
                                std::to_string(rux::codeAreaSize));

    std::size_t textBytes = rux::textIndexSize;
    for (const auto& [mark, variants] : story.texts) {
        for (const std::string& v : variants)
            textBytes += v.size() + 1;
        textBytes = (textBytes + 3) / 4 * 4;
    }
    if (textBytes > rux::textAreaSize)
        c.error(storyPlace, "die Texte brauchen " + std::to_string(textBytes) +
                                " Bytes; der Textbereich fasst " +
                                std::to_string(rux::textAreaSize));
}

CompileResult compileStory(const std::string& path, const SourceLoader& loader) {
    CompileResult result;
    Compilation c(loader, result.diagnostics);
    readSources(c, path);
    declareNames(c);
    defineStory(c);
    finishStory(c);
    result.story = std::move(c.story);
    return result;
}

} // namespace ruxc
