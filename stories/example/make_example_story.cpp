// Writes the bundled example story: a small house with a few things in it,
// enough to show every table of the format.

#include <cstdio>
#include <exception>

#include "storykit/example_story.h"
#include "storykit/story_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_example_story OUTPUT.vux\n");
        return 2;
    }
    try {
        rux::storykit::writeStoryFile(rux::storykit::exampleStory(), argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_example_story: %s\n", e.what());
        return 1;
    }
    return 0;
}
