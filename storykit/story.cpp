#include "storykit/story.h"

namespace rux::storykit {

uint8_t Story::addObject(StoryObject object, ObjectKind kind) {
    std::size_t at = objects.size();
    switch (kind) {
    case ObjectKind::Portable:
        at = static_cast<std::size_t>(portableCount++);
        break;
    case ObjectKind::Fixed:
        at = static_cast<std::size_t>(portableCount + fixedObjectCount++);
        break;
    case ObjectKind::Extra:
        break;
    }
    objects.insert(objects.begin() + static_cast<std::ptrdiff_t>(at), std::move(object));
    return static_cast<uint8_t>(at + 1);
}

uint8_t Story::addRoom(StoryRoom room) {
    if (room.id == 0) room.id = static_cast<uint8_t>(rooms.size() + 1);
    rooms.push_back(std::move(room));
    return rooms.back().id;
}

uint8_t Story::addRoutine(Code code) {
    routines.push_back(std::move(code));
    return static_cast<uint8_t>(routines.size());
}

uint8_t Story::addAction(StoryAction action) {
    actions.push_back(std::move(action));
    return static_cast<uint8_t>(actions.size());
}

}  // namespace rux::storykit
