#include "engine/world/world.h"

#include <algorithm>
#include <cstring>

namespace rux {

World::World() : codeArea(codeAreaSize, 0), textArea(textAreaSize, 0) {}

namespace {

template <typename List> auto* firstWithId(List& list, uint8_t id) {
    auto it = std::find_if(list.begin(), list.end(), [id](const auto& e) { return e.id == id; });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

const RoomRecord* World::findRoom(uint8_t id) const {
    return firstWithId(rooms, id);
}
RoomRecord* World::findRoom(uint8_t id) {
    return firstWithId(rooms, id);
}
const NumberedText* World::findExitMessage(uint8_t id) const {
    return firstWithId(exitMessages, id);
}
const NumberedCode* World::searchNumberedCode(const std::vector<NumberedCode>& list, uint8_t id) {
    return firstWithId(list, id);
}
const ActionRecord* World::findAction(uint8_t id) const {
    return firstWithId(actions, id);
}

std::string_view World::nthStateName(std::size_t k) const {
    return k < stateNames.size() ? std::string_view(stateNames[k]) : std::string_view();
}

const RoomRecord* World::currentRoomRecordPtr() const {
    if (currentRoomRecord < 0 || currentRoomRecord >= static_cast<int>(rooms.size()))
        return nullptr;
    return &rooms[currentRoomRecord];
}

void World::selectRoomRecord() {
    // The refresh takes the last room with the number; an unknown number
    // leaves the record as it was.
    for (int i = static_cast<int>(rooms.size()) - 1; i >= 0; --i) {
        if (rooms[i].id == scene.currentRoom) {
            currentRoomRecord = i;
            return;
        }
    }
}

std::string_view World::nthWord(const std::vector<std::string>& list, int n) {
    if (n < 1 || n > static_cast<int>(list.size())) return {};
    return list[n - 1];
}

std::optional<std::size_t> World::textBlock(uint8_t mark) const {
    const std::size_t entry = (std::size_t{textArea[2 * mark]} << 8) | textArea[2 * mark + 1];
    if (entry == 0) return std::nullopt;
    return entry * 4;
}

std::optional<std::string_view> World::textVariant(uint8_t mark, int variant) const {
    auto block = textBlock(mark);
    if (!block || variant < 1) return std::nullopt;
    const char* const begin = reinterpret_cast<const char*>(textArea.data());
    const char* const end = begin + textArea.size();
    const char* pos = begin + *block;
    for (int v = 1; v < variant; ++v) {
        const void* nul = std::memchr(pos, 0, static_cast<std::size_t>(end - pos));
        if (nul == nullptr) return std::nullopt;
        pos = static_cast<const char*>(nul) + 1;
    }
    if (pos >= end) return std::nullopt;
    const void* nul = std::memchr(pos, 0, static_cast<std::size_t>(end - pos));
    const char* stop = nul ? static_cast<const char*>(nul) : end;
    return std::string_view(pos, static_cast<std::size_t>(stop - pos));
}

std::span<const uint8_t> World::codeBytes(CodeBlock block) const {
    const std::size_t begin = std::size_t{block.start} * 4;
    const std::size_t length = std::min<std::size_t>(block.length, codeArea.size() - begin);
    return {codeArea.data() + begin, length};
}

void World::computeGroups() {
    inheritedNaming.clear();
    for (int n = 1; n <= countedObjects(); ++n) {
        ObjectRecord& object = objects[n];
        object.group = 0;
        // Follow base links; a visited mark stops a cycle in a damaged file.
        std::array<bool, objectSlots> visited{};
        uint8_t link = object.base;
        while (link != 0 && !visited[link]) {
            visited[link] = true;
            if (!objects[link].pluralName.empty()) {
                object.group = link;
                break;
            }
            link = objects[link].base;
        }
        if (object.group != 0 && object.nouns.empty() && object.adjectives.empty())
            inheritedNaming.insert(static_cast<uint8_t>(n));
    }
}

} // namespace rux
