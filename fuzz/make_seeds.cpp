// Writes the seed inputs of the fuzz targets that are made by program:
// story files for the loader and code blocks for the interpreter (made with
// storykit), and saved games of the demo for the restore target. The seeds
// are checked in; run this again after the story format, the instruction
// set or the demo changes: make_fuzz_seeds DIR writes DIR/loader,
// DIR/interpreter and DIR/restore. The parser's and the compiler's seeds
// are text files, written by hand.

#include "engine/session/saved_games.h"
#include "engine/session/state_image.h"
#include "engine/text/codepage.h"
#include "fuzz/demo_game.h"
#include "storykit/assembler.h"
#include "storykit/example_story.h"
#include "storykit/story.h"
#include "storykit/story_writer.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace rux::storykit;
namespace fs = std::filesystem;

void write(const fs::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Story smallStory() {
    Story story;
    StoryObject ball;
    ball.name = "Ball";
    story.addObject(ball);
    StoryRoom room;
    room.id = 1;
    room.name = "Flur";
    story.addRoom(room);
    story.addAction(StoryAction());
    story.byteVariables = {1, 2, 3};
    story.longConstants = {-7, 70000};
    story.byteArrays = {{2, 3, 1}};
    story.texts[1] = {"Hallo."};
    Assembler a;
    a.assign(byteVar(40), num(3)).print(1, 1);
    story.addRoutine(a.finish());
    return story;
}

std::vector<Code> codeSeeds() {
    std::vector<Code> seeds;
    {
        Assembler a; // loops and arithmetic
        a.for_(local(1), num(1), num(10));
        a.add(longVar(10), local(1)).mul(byteVar(40), num(3)).div(byteVar(41), local(1));
        a.end();
        a.while_(cond(lt(longVar(11), longConst(2))));
        a.add(longVar(11), num(7));
        a.end();
        a.repeat().sub(byteVar(42), num(1)).until(cond(eq(byteVar(42), num(0))));
        seeds.push_back(a.finish());
    }
    {
        Assembler a; // branches, calls and the cells with side effects
        a.if_(cond(gt(byteVar(40), num(2))).and_(not_(eq(objectVar(1), num(0)))));
        a.assign(byteVar(20), num(1)).callRoutine(2);
        a.else_();
        a.assign(longVar(1), num(5)).leave();
        a.end();
        a.test(byteVar(43), cond(visible(num(1))).or_(chance(num(50))));
        a.print(1, 1).stop();
        seeds.push_back(a.finish());
    }
    {
        Assembler a; // a selection and values of many types
        a.select(byteVar(40));
        a.case_({1, range(3, 5)}).assign(stateOf(1), num(2));
        a.default_().assign(value(65, 1), value(128, 1));
        a.end();
        a.setTrue(byteVar(44)).setFalse(value(16, 4));
        seeds.push_back(a.finish());
    }
    return seeds;
}

// Restore seeds: a first byte of 0 frames the rest as the state image, 1
// takes the rest as the whole file (see restore_fuzzer.cpp).
void writeRestoreSeeds(const fs::path& dir) {
    const std::vector<std::vector<std::string>> games = {
        {},
        {"schau unter die fußmatte", "nimm den schlüssel", "schließ die tür mit dem schlüssel auf",
         "öffne die tür", "n", "n", "öffne den schrank", "nimm die lampe"},
    };
    int n = 0;
    for (const auto& commands : games) {
        rux::fuzz::FuzzHost host;
        auto engine = rux::fuzz::startDemo(host);
        for (const std::string& command : commands)
            rux::fuzz::playLine(*engine, rux::utf8ToCp1252(command));
        std::vector<uint8_t> image(rux::computeUsedSize(*engine) + 1, 0);
        rux::writeStateImage(*engine, std::span<uint8_t>(image).subspan(1));
        write(dir / ("image" + std::to_string(++n)), image);

        const fs::path saved = dir / "saved.tmp";
        rux::saveGame(*engine, saved.string());
        std::ifstream in(saved, std::ios::binary);
        std::vector<uint8_t> file{1};
        file.insert(file.end(), std::istreambuf_iterator<char>(in), {});
        fs::remove(saved);
        write(dir / ("file" + std::to_string(n)), file);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds DIR\n";
        return 2;
    }
    const fs::path dir = argv[1];
    fs::create_directories(dir / "loader");
    fs::create_directories(dir / "interpreter");
    fs::create_directories(dir / "restore");
    write(dir / "loader" / "example.vux", writeStory(exampleStory()));
    write(dir / "loader" / "small.vux", writeStory(smallStory()));
    int n = 0;
    for (const Code& code : codeSeeds())
        write(dir / "interpreter" / ("code" + std::to_string(++n)), code);
    writeRestoreSeeds(dir / "restore");
    return 0;
}
