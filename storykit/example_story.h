#pragma once
// The bundled example story: a small house with a few things in it.

#include "storykit/story.h"

namespace rux::storykit {

Story exampleStory();

}  // namespace rux::storykit
