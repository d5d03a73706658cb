// ruxc: compiles a story source into a ".vux" story file.
//
//     ruxc STORY.vxs -o STORY.vux

#include "storykit/story_writer.h"
#include "tools/ruxc/compiler.h"

#include <iostream>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
    std::string input, output;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-o" && i + 1 < argc) {
            output = argv[++i];
        } else if (arg == "-h" || arg == "--help") {
            std::cout << "Aufruf: ruxc STORY.vxs -o STORY.vux\n";
            return 0;
        } else if (input.empty() && !arg.starts_with("-")) {
            input = arg;
        } else {
            std::cerr << "ruxc: unbekanntes Argument „" << arg << "“\n"
                      << "Aufruf: ruxc STORY.vxs -o STORY.vux\n";
            return 2;
        }
    }
    if (input.empty() || output.empty()) {
        std::cerr << "Aufruf: ruxc STORY.vxs -o STORY.vux\n";
        return 2;
    }
    const ruxc::CompileResult result = ruxc::compileStory(input, ruxc::readSourceFile);
    if (!result.diagnostics.empty()) {
        result.diagnostics.print(std::cerr);
        std::cerr << "ruxc: " << result.diagnostics.errors().size()
                  << (result.diagnostics.errors().size() == 1 ? " Fehler" : " Fehler")
                  << ", keine Story-Datei geschrieben\n";
        return 1;
    }
    try {
        rux::storykit::writeStoryFile(result.story, output);
    } catch (const std::exception& error) {
        std::cerr << "ruxc: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
