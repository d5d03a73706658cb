#include "storykit/story_writer.h"

#include <array>
#include <fstream>

namespace rux::storykit {

namespace {

// Titles are stored in the DOS code page; this is the reader's table from
// DOS (0x80..0xFF) to Windows-1252, inverted below for writing.
constexpr std::array<uint8_t, 128> dosToWindows = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0x7F, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    0x23, 0x23, 0x23, 0x7C, 0x2A, 0xC1, 0xC2, 0xC0, 0xA9, 0x2A, 0x7C, 0x2A, 0x2A, 0xA2, 0xA5, 0x2A,
    0x2A, 0x2A, 0x2A, 0x2A, 0x2D, 0x2A, 0xE3, 0xC3, 0x2A, 0x2A, 0x2A, 0x2A, 0x2A, 0x2D, 0x2A, 0xA4,
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0x69, 0xCD, 0xCE, 0xCF, 0x2A, 0x2A, 0x23, 0x23, 0xA6, 0xCC, 0x23,
    0xD2, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE, 0xDE, 0xD9, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0x60,
    0x2D, 0xB1, 0x5F, 0xBE, 0xB6, 0xA7, 0xF7, 0xB8, 0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0x95, 0x20,
};

class ByteSink {
public:
    void u8(int value) {
        if (value < 0 || value > 255)
            throw StoryWriteError("value does not fit in a byte: " + std::to_string(value));
        bytes_.push_back(static_cast<uint8_t>(value));
    }
    void u16be(std::size_t value) {
        if (value > 0xFFFF) throw StoryWriteError("script longer than 65535 bytes");
        bytes_.push_back(static_cast<uint8_t>(value >> 8));
        bytes_.push_back(static_cast<uint8_t>(value & 0xFF));
    }
    void i32le(int32_t value) {
        const auto v = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(v >> shift));
    }
    void plain(const std::string& text) {
        if (text.size() > 255) throw StoryWriteError("string longer than 255 bytes: " + text);
        u8(static_cast<int>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
    }
    void scrambled(const std::string& text) { plain(scramble(text)); }
    void code(const Code& code) {
        u16be(code.size());
        bytes_.insert(bytes_.end(), code.begin(), code.end());
    }
    void set(const std::vector<uint8_t>& members) {
        u8(static_cast<int>(members.size()));
        bytes_.insert(bytes_.end(), members.begin(), members.end());
    }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

int count(std::size_t n, const char* what) {
    if (n > 255) throw StoryWriteError(std::string("more than 255 ") + what);
    return static_cast<int>(n);
}

void writeObjectBinary(ByteSink& out, const StoryObject& object, int number) {
    out.u8(object.fileNumber ? *object.fileNumber : number);
    out.u8(object.holder);
    out.u8(object.relation);
    out.u8(object.weight);
    out.u8(object.volume);
    out.u8(object.state);
    out.u8(object.spaceLeft);
    out.u8(object.target);
    out.u8(object.base);
    out.u8(count(object.properties.size(), "properties"));
    for (auto [id, value] : object.properties) {
        out.u8(id);
        out.u8(value);
    }
    for (const TextRef& slot : object.textSlots) {
        out.u8(slot.mark);
        out.u8(slot.variant);
    }
    for (const Code& script : object.scripts) out.code(script);
}

void writeRoomBinary(ByteSink& out, const StoryRoom& room, int directionCount) {
    out.u8(room.id);
    out.u8(room.base);
    for (int d = 0; d < directionCount; ++d)
        out.u8(d < static_cast<int>(room.exits.size()) ? room.exits[d] : 0);
    out.u8(room.description.mark);
    out.u8(room.description.variant);
    for (const Code& script : room.scripts) out.code(script);
}

void writeHeader(ByteSink& out, const Story& s) {
    out.plain(s.formatMarker);
    out.plain(s.compilerNote1);
    out.plain(s.compilerNote2);
    out.u8(s.compilerByte);
    out.plain(unmapHighCharacters(s.title));
    out.plain(unmapHighCharacters(s.label));

    const int objectTotal = count(s.objects.size(), "objects");
    const int extras = objectTotal - s.portableCount - s.fixedObjectCount;
    if (s.portableCount < 0 || s.fixedObjectCount < 0 || extras < 0)
        throw StoryWriteError("object counts do not match the object list");

    const std::array<int, 33> counts = {
        count(s.verbs.size(), "verbs"),
        count(s.prepositions.size(), "prepositions"),
        count(s.wordList.size(), "listed words"),
        s.scoreSlotCount,
        count(s.longConstants.size(), "long constants"),
        count(s.rooms.size(), "rooms"),
        count(s.exitMessages.size(), "exit messages"),
        count(s.exitRoutines.size(), "exit routines"),
        s.portableCount,
        s.fixedObjectCount,
        count(s.actions.size(), "actions"),
        count(s.byteVariables.size(), "byte variables"),
        count(s.longVariables.size(), "long variables"),
        s.enumCount,
        s.directionCount,
        count(s.objectFlags.size(), "object flags"),
        count(s.roomFlags.size(), "room flags"),
        count(s.routines.size(), "routines"),
        s.unusedHeaderBytes[0],
        extras,
        count(s.extraRooms.size(), "extra rooms"),
        count(s.messageVariables.size(), "message variables"),
        count(s.objectVariables.size(), "object variables"),
        count(s.roomVariables.size(), "room variables"),
        count(s.enumVariables.size(), "enum variables"),
        count(s.smallVariables.size(), "small variables"),
        count(s.actionVariables.size(), "action variables"),
        s.unusedHeaderBytes[1],
        count(s.byteArrays.size(), "byte arrays"),
        s.unusedHeaderBytes[2],
        count(s.textRoutines.size(), "text routines"),
        s.actionVariableSkip,
        s.unusedHeaderBytes[3],
    };
    for (int c : counts) out.u8(c);
}

void writeBinaryPart(ByteSink& out, const Story& s) {
    for (std::size_t i = 0; i < s.objects.size(); ++i)
        writeObjectBinary(out, s.objects[i], static_cast<int>(i + 1));
    for (const StoryRoom& room : s.rooms) writeRoomBinary(out, room, s.directionCount);
    for (const StoryRoom& room : s.extraRooms) writeRoomBinary(out, room, s.directionCount);
    for (const StoryAction& action : s.actions) {
        out.code(action.script);
        for (int j = 0; j < 3; ++j) {
            out.u8(action.slotSource[j]);
            out.u8(action.slotImplicitSet[j]);
            out.u8(action.slotKind[j]);
        }
        out.u8(action.secondObjectAction);
        out.u8(action.alias);
    }
    for (const Code& hook : s.actionHooks) out.code(hook);
    for (const Code& routine : s.exitRoutines) out.code(routine);
    for (const Code& routine : s.routines) out.code(routine);
    for (const Code& routine : s.textRoutines) out.code(routine);
    for (uint8_t v : s.byteVariables) out.u8(v);
    for (int32_t v : s.longVariables) out.i32le(v);
    for (int32_t v : s.longConstants) out.i32le(v);
    for (uint8_t v : s.objectVariables) out.u8(v);
    for (uint8_t v : s.roomVariables) out.u8(v);
    for (uint8_t v : s.enumVariables) out.u8(v);
    for (uint8_t v : s.smallVariables) out.u8(v);
    for (uint8_t v : s.actionVariables) out.u8(v);
    for (const auto& members : s.objectFlags) out.set(members);
    for (const auto& members : s.roomFlags) out.set(members);
    for (const StoryByteArray& array : s.byteArrays) {
        out.u8(array.dim1);
        out.u8(array.dim2);
        out.u8(array.dim3);
    }
    for (const TextRef& ref : s.messageVariables) {
        out.u8(ref.mark);
        out.u8(ref.variant);
    }
    for (const TextRef& ref : s.exitMessages) {
        out.u8(ref.mark);
        out.u8(ref.variant);
    }
    for (uint8_t b : s.functionKeyExtra) out.u8(b);
    const DisplaySettings& d = s.display;
    // The tail stores byte variables 20, 21, 25, 17, 26, 22, 23, 24, 18, 19.
    for (uint8_t b : {d.statusLineCount, d.scoreMessages, d.descriptionMode, d.paragraphStyle,
                      d.indentWidth, d.status22, d.status23, d.status24, d.titleStyle,
                      d.statusLines})
        out.u8(b);
    for (uint8_t b : s.tailUnused) out.u8(b);
    out.u8(s.tailKeptByte);
    for (const auto& members : s.tailSets) out.set(members);
}

void writeWordList(ByteSink& out, const std::vector<std::string>& words) {
    for (const std::string& w : words) out.scrambled(w);
}

void writeTextPart(ByteSink& out, const Story& s) {
    const auto& marker = s.sectionMarkers;
    out.scrambled(marker[0]);
    out.scrambled(marker[1]);
    writeWordList(out, s.verbs);
    out.scrambled(marker[2]);
    writeWordList(out, s.prepositions);
    out.scrambled(marker[3]);
    writeWordList(out, s.wordList);
    out.scrambled(marker[4]);
    for (const std::string& key : s.functionKeys) out.scrambled(key);
    out.scrambled(marker[5]);
    for (const DirectionName& name : s.directionNames) {
        out.scrambled(name.shortName);
        out.scrambled(name.longName);
    }
    out.scrambled(marker[6]);
    for (const StoryAction& action : s.actions) {
        out.scrambled(action.name);
        out.u8(action.requiredMask);
        out.u8(action.excludedMask);
        out.u8(action.option);
        for (const VerbPattern& p : action.verbPatterns) {
            if (p.verb == 0) throw StoryWriteError("verb pattern with verb 0");
            out.u8(p.verb);
            out.u8(p.particle);
        }
        out.u8(0);
        out.u8(0);
        for (uint8_t prep : action.acceptedPrepositions) {
            if (prep == 0) throw StoryWriteError("accepted preposition 0");
            out.u8(prep);
        }
        out.u8(0);
    }
    out.scrambled(marker[7]);
    for (const StoryObject& object : s.objects) {
        out.scrambled(object.name);
        out.u8(object.gender);
        out.u8(object.articleKind);
        out.scrambled(object.pluralName);
        out.u8(object.pluralGender);
        out.u8(object.pluralArticleKind);
        writeWordList(out, object.adjectives);
        out.scrambled("^");
        writeWordList(out, object.nounPrefixes);
        out.scrambled("^");
        for (const WordEntry& noun : object.nouns) {
            out.scrambled(noun.word);
            out.u8(noun.form);
        }
        out.scrambled("^");
        out.u8(0);
    }
    out.scrambled(marker[8]);
    for (const auto* list : {&s.rooms, &s.extraRooms})
        for (const StoryRoom& room : *list) out.scrambled(room.name.empty() ? "[Z]" : room.name);
    out.scrambled(marker[9]);
    out.u8(count(s.replacementRules.size(), "replacement rules"));
    for (const ReplacementRule& rule : s.replacementRules) {
        out.u8(rule.kind);
        out.scrambled(rule.match);
        out.scrambled(rule.first);
        out.scrambled(rule.second);
    }
    out.scrambled(marker[10]);
    for (const std::string& name : s.stateNames) {
        if (name == "[E]") throw StoryWriteError("state name \"[E]\" ends the list");
        out.scrambled(name);
    }
    out.scrambled("[E]");
}

void writeTextsPart(ByteSink& out, const Story& s) {
    for (const std::string& line : s.leadingTextLines) {
        if (!line.empty() && line[0] == '[')
            throw StoryWriteError("a leading text line cannot begin with \"[\"");
        out.scrambled(line);
    }
    if (s.rawTextLines) {
        for (const std::string& line : *s.rawTextLines) out.scrambled(line);
        return;
    }
    for (const auto& [mark, variants] : s.texts) {
        std::string header = "[";
        header += std::to_string(mark);
        header += "]";
        out.scrambled(header);
        for (const std::string& text : variants) {
            // Each line of the text is a file line; all but the last end in "+".
            std::size_t from = 0;
            while (true) {
                const std::size_t lf = text.find('\n', from);
                const std::string line = text.substr(from, lf - from);
                if (!line.empty() && line[0] == '[')
                    throw StoryWriteError("a text line cannot begin with \"[\": " + line);
                if (lf == std::string::npos) {
                    if (!line.empty() && line.back() == '+')
                        throw StoryWriteError("a text cannot end with \"+\": " + line);
                    out.scrambled(line);
                    break;
                }
                out.scrambled(line + "+");
                from = lf + 1;
            }
        }
    }
}

}  // namespace

std::string scramble(const std::string& plain) {
    const std::size_t n = plain.size();
    if (n > 255) throw StoryWriteError("string longer than 255 bytes: " + plain);
    std::string out(plain);
    for (char& c : out) {
        unsigned t = static_cast<uint8_t>(c) + n + (n % 2 == 1 ? 128 : 0);
        t &= 0xFF;
        c = static_cast<char>(((t & 0x0F) << 4) | (t >> 4));
    }
    return out;
}

std::string unmapHighCharacters(const std::string& windowsText) {
    std::string out;
    out.reserve(windowsText.size());
    for (char ch : windowsText) {
        const auto c = static_cast<uint8_t>(ch);
        if (c < 128) {
            out.push_back(ch);
            continue;
        }
        bool found = false;
        for (int i = 0; i < 128 && !found; ++i) {
            if (dosToWindows[i] == c) {
                out.push_back(static_cast<char>(0x80 + i));
                found = true;
            }
        }
        if (!found)
            throw StoryWriteError("character " + std::to_string(c) +
                                  " cannot be stored in a story title");
    }
    return out;
}

std::vector<uint8_t> writeStory(const Story& story) {
    ByteSink out;
    writeHeader(out, story);
    writeBinaryPart(out, story);
    writeTextPart(out, story);
    writeTextsPart(out, story);
    return out.take();
}

void writeStoryFile(const Story& story, const std::string& path) {
    const std::vector<uint8_t> bytes = writeStory(story);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw StoryWriteError("cannot write " + path);
}

}  // namespace rux::storykit
