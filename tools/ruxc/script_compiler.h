#pragma once
// Compiles the statements of one script into byte code.

#include "storykit/assembler.h"
#include "tools/ruxc/compilation.h"

#include <map>
#include <string>

namespace ruxc {

class ScriptCompiler {
  public:
    explicit ScriptCompiler(Compilation& c) : c_(c) {}

    // Reads statement lines up to the line "end" that closes the script
    // and consumes it. The result ends with the no-op every block ends with.
    rux::storykit::Code compileBody(Cursor& cursor);

    // Operand, condition and constant readers, also used for declarations.
    bool operand(Cursor& cursor, rux::storykit::Operand& out);
    bool conditions(Cursor& cursor, rux::storykit::Conditions& out);
    bool constant(Cursor& cursor, int& out, const char* what);
    // A text: an inline string, a named text with an optional variant, or
    // "message N" for a system message. The variant may be an operand.
    struct TextChoice {
        int mark = 0;
        bool variantIsOperand = false;
        int variant = 1;
        rux::storykit::Operand variantOperand;
        int variantCount = 1; // how many variants the mark has (for "random")
    };
    bool text(Cursor& cursor, TextChoice& out);

  private:
    bool statements(Cursor& cursor, std::initializer_list<const char*> stops);
    bool statement(Cursor& cursor);
    bool destination(Cursor& cursor, rux::storykit::Operand& out);
    bool simpleCondition(Cursor& cursor, rux::storykit::Condition& out);
    bool generic(Cursor& cursor, const std::string& mnemonic);
    bool functionOperand(Cursor& cursor, const std::string& name, rux::storykit::Operand& out);
    void ifStatement(Cursor& cursor);
    void selectStatement(Cursor& cursor);
    void open(const SourcePlace& place);

    Compilation& c_;
    rux::storykit::Assembler a_;
    std::map<std::string, int> locals_;
    bool failed_ = false;
    int depth_ = 0;
};

} // namespace ruxc
