#include "engine/session/file_names.h"

namespace rux {

std::string defaultExtension(std::string_view name, std::string_view extension) {
    const std::size_t folderEnd = name.find_last_of("/\\");
    const std::string_view lastPart =
        folderEnd == std::string_view::npos ? name : name.substr(folderEnd + 1);
    std::string result(name);
    if (lastPart.find('.') == std::string_view::npos) result += extension;
    return result;
}

} // namespace rux
