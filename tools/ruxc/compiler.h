#pragma once
// ruxc: compiles a story source (".vxs", UTF-8) into a Story that the story
// writer turns into a ".vux" file. The source format is described in
// docs/story-format.md.

#include "storykit/story.h"
#include "tools/ruxc/diagnostics.h"

#include <functional>
#include <optional>
#include <string>

namespace ruxc {

// Reads a source file by the name an include gives (already resolved
// against the including file's folder); nullopt when it cannot be read.
using SourceLoader = std::function<std::optional<std::string>(const std::string& path)>;

struct CompileResult {
    rux::storykit::Story story; // complete only when diagnostics is empty
    Diagnostics diagnostics;
};

CompileResult compileStory(const std::string& path, const SourceLoader& loader);

// The loader that reads real files.
std::optional<std::string> readSourceFile(const std::string& path);

} // namespace ruxc
