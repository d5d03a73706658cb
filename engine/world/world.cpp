#include "engine/world/world.h"

#include <algorithm>
#include <cstring>

namespace rux {

World::World() : codeArea(codeAreaSize, 0), textArea(textAreaSize, 0) {}

void World::clear() {
    std::vector<uint8_t> code = std::move(codeArea);
    std::vector<uint8_t> text = std::move(textArea);
    code.assign(codeAreaSize, 0);
    text.assign(textAreaSize, 0);
    *this = World(WithoutAreas{});
    codeArea = std::move(code);
    textArea = std::move(text);
}

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
    if (*block < textIndexSize) return searchTextVariant(*block, variant);
    if (!textIndex_.built) indexTexts();
    // The zero that ends variant v is the v-th zero from the block on: a
    // listed one, or one of the zeros that follow the texts.
    const std::size_t size = textArea.size();
    const std::size_t listed = textIndex_.zeros.size();
    const std::size_t tailStart = std::max<std::size_t>(*block, textIndex_.textsEnd);
    const auto zeroAt = [&](std::size_t k) -> std::size_t { // k-th zero counted from 0
        return k < listed ? textIndex_.zeros[k] : tailStart + (k - listed);
    };
    const std::size_t first = textIndex_.zerosBeforeBlock[mark];
    const std::size_t v = static_cast<std::size_t>(variant);
    std::size_t start = *block;
    if (v > 1) {
        const std::size_t previousEnd = zeroAt(first + v - 2);
        if (previousEnd >= size) return std::nullopt; // fewer texts than the variant number
        start = previousEnd + 1;
    }
    if (start >= size) return std::nullopt;
    const std::size_t stop = std::min(zeroAt(first + v - 1), size);
    return std::string_view(reinterpret_cast<const char*>(textArea.data()) + start, stop - start);
}

std::optional<std::string_view> World::searchTextVariant(std::size_t block, int variant) const {
    const char* const begin = reinterpret_cast<const char*>(textArea.data());
    const char* const end = begin + textArea.size();
    const char* pos = begin + block;
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

void World::indexTexts() const {
    TextIndex& index = textIndex_;
    // The zeros after the texts are passed over eight at a time.
    std::size_t textsEnd = textArea.size();
    while (textsEnd >= textIndexSize + sizeof(uint64_t)) {
        uint64_t eightBytes;
        std::memcpy(&eightBytes, textArea.data() + textsEnd - sizeof eightBytes, sizeof eightBytes);
        if (eightBytes != 0) break;
        textsEnd -= sizeof eightBytes;
    }
    while (textsEnd > textIndexSize && textArea[textsEnd - 1] == 0)
        --textsEnd;
    index.textsEnd = static_cast<uint32_t>(textsEnd);
    index.zeros.clear();
    const uint8_t* const area = textArea.data();
    for (const uint8_t* at = area + textIndexSize; at < area + textsEnd; ++at) {
        at = static_cast<const uint8_t*>(
            std::memchr(at, 0, static_cast<std::size_t>(area + textsEnd - at)));
        if (at == nullptr) break;
        index.zeros.push_back(static_cast<uint32_t>(at - area));
    }
    for (int mark = 0; mark < 256; ++mark) {
        const std::size_t block = textBlock(static_cast<uint8_t>(mark)).value_or(0);
        index.zerosBeforeBlock[mark] = static_cast<uint32_t>(
            std::lower_bound(index.zeros.begin(), index.zeros.end(), block) - index.zeros.begin());
    }
    index.built = true;
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
