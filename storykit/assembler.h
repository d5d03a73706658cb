#pragma once
// Writing script byte code by hand for tests, benchmarks and example
// stories: instructions by mnemonic or by helper, labels, and structured
// blocks whose positions (1-based within the block) are filled in when the
// code is finished.
//
//     Assembler a;
//     a.if_(cond(visible(num(5)))).print(3, 1).end();
//     a.while_(cond(lt(longVar(10), longConst(1)))).add(longVar(10), num(1)).end();
//     a.select(byteVar(40)).case_({1, range(3, 5)}).print(3, 2).default_().stop().end();
//     Code code = a.finish();
//
// Condition lists are read left to right without precedence, so they are
// built the same way: cond(a).or_(b).and_(c) means (a or b) and c.
//
// The encoding here is written independently of the engine's interpreter
// and disassembler; only the code numbers and mnemonics are shared.

#include "storykit/story.h"

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace rux::storykit {

class AssemblerError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An operand or destination: (value type, index).
struct Operand {
    uint8_t type = 0;
    uint8_t index = 0;
};

Operand value(int type, int index);
Operand num(int n);          // type 6: a number 0..255
Operand byteVar(int i);      // type 3
Operand local(int k);        // the call's local k (1..8)
Operand longVar(int i);      // type 4
Operand longConst(int i);    // type 5
Operand objectVar(int i);    // type 7
Operand roomNum(int room);   // type 8
Operand roomVar(int i);      // type 9
Operand actionValue(int i);  // type 10
Operand stateOf(int object); // type 21

// One condition of a condition list.
struct Condition {
    std::vector<uint8_t> bytes;
};

Condition rawCondition(int code, std::initializer_list<int> bytes = {});
Condition compare(Operand a, int relation, Operand b);
Condition eq(Operand a, Operand b);
Condition lt(Operand a, Operand b);
Condition gt(Operand a, Operand b);
Condition visible(Operand object);
Condition visibleFromRoom(Operand object);
Condition located(Operand object, int relation, Operand holder);
Condition hasState(Operand object, int state);
Condition objectFlag(Operand object, int flag);
Condition positive(Operand v);
Condition chance(Operand percent);
Condition roomFlag(Operand room, int flag);
Condition kindOf(Operand object, int kind);
Condition roomBase(Operand room, int base);
Condition together(Operand a, Operand b);
Condition sameLocation(Operand a, Operand b);
Condition metaAction(Operand action);
Condition hasProperty(Operand object, int property);
Condition darkRoom(Operand room);
Condition isFixed(Operand object);
Condition always();
Condition not_(Condition condition);

// A condition list: conditions joined strictly left to right.
class Conditions {
  public:
    Conditions(Condition first); // NOLINT: a single condition is a list
    Conditions and_(const Condition& next) const { return join(1, next); }
    Conditions or_(const Condition& next) const { return join(2, next); }
    Conditions join(int connector, const Condition& next) const;
    // The encoded list with its terminating 0.
    std::vector<uint8_t> bytes() const;

  private:
    std::vector<uint8_t> body_;
};

inline Conditions cond(Condition first) {
    return Conditions(std::move(first));
}

// A label of a selection entry: one value, or a range of values.
struct CaseLabel {
    CaseLabel(int value) : low(value), high(value) {} // NOLINT: a value is a label
    CaseLabel(int first, int last) : low(first), high(last) {}
    int low;
    int high;
};
inline CaseLabel range(int first, int last) {
    return {first, last};
}

class Assembler {
  public:
    // A position in the code, bound once; uses before binding are patched.
    struct Label {
        int id = -1;
    };

    // One operand of emit(), matched against the instruction's operand kinds.
    struct Arg {
        Arg(int byte) : kind('B'), number(byte) {} // NOLINT: implicit by design
        Arg(Operand operand) : kind('O'), operand(operand) {}
        Arg(Label target) : kind('W'), label(target) {}
        Arg(Condition condition) : kind('Q'), conditions(std::move(condition)) {}
        Arg(Conditions list) : kind('Q'), conditions(std::move(list)) {}
        Arg(const char* characters) : kind('T'), text(characters) {}
        Arg(std::string characters) : kind('T'), text(std::move(characters)) {}
        Arg(std::vector<Operand> list) : kind('N'), operands(std::move(list)) {}
        char kind;
        int number = 0;
        Operand operand;
        Label label;
        Conditions conditions = Condition{};
        std::string text;
        std::vector<Operand> operands;
    };

    Label label();
    Assembler& bind(Label label);
    // The 1-based block position of the next byte.
    uint16_t position() const;

    // Any instruction by its mnemonic; the operands must fit its kinds.
    Assembler& emit(std::string_view mnemonic, std::vector<Arg> args = {});
    // Bytes as they are, for code that is meant to be malformed.
    Assembler& raw(std::initializer_list<int> bytes);
    Assembler& rawWord(Label target);
    Assembler& rawOperand(Operand operand);
    Assembler& rawConditions(const Conditions& list);

    // Frequent instructions.
    Assembler& print(int mark, int variant);
    Assembler& assign(Operand destination, Operand source);
    Assembler& add(Operand destination, Operand source);
    Assembler& sub(Operand destination, Operand source);
    Assembler& mul(Operand destination, Operand source);
    Assembler& div(Operand destination, Operand source);
    Assembler& mod(Operand destination, Operand source);
    Assembler& bitAnd(Operand destination, Operand source);
    Assembler& bitOr(Operand destination, Operand source);
    Assembler& test(Operand destination, const Conditions& list);
    Assembler& setTrue(Operand destination);
    Assembler& setFalse(Operand destination);
    Assembler& callRoutine(int routine);
    Assembler& callAction(int index);
    Assembler& callExitRoutine(int id);
    Assembler& stop();
    Assembler& nop();
    Assembler& leave();
    Assembler& require(const Conditions& list, int mark, int variant);

    // Structured blocks; each is closed by end() (repeat by until()).
    Assembler& if_(const Conditions& list);
    Assembler& else_();
    Assembler& while_(const Conditions& list);
    Assembler& repeat();
    Assembler& until(const Conditions& list);
    Assembler& for_(Operand variable, Operand first, Operand last);
    Assembler& select(Operand value);
    Assembler& case_(std::initializer_list<CaseLabel> labels);
    Assembler& default_();
    Assembler& end();

    // The finished code with the no-op that ends every compiled block;
    // finishRaw() leaves it off. Both check that every block is closed and
    // every label bound.
    Code finish();
    Code finishRaw();

  private:
    enum class BlockKind { If, While, Repeat, For, Select };
    struct OpenBlock {
        BlockKind kind;
        Label first;  // if: else part; while, repeat: head; select: next entry
        Label second; // the block's end
        bool hasElse = false;
        bool entryOpen = false; // select: an entry's code is being written
        bool entryHasNext = false;
    };

    void byte(int value);
    void word(Label target);
    void operand(Operand operand);
    void conditions(const Conditions& list);
    void bindTo(Label label, int position);
    void closeEntry(OpenBlock& block);
    OpenBlock& innermost(BlockKind kind, const char* what);

    Code code_;
    std::vector<int> labelPositions_; // -1 until bound
    struct Use {
        std::size_t offset;
        int label;
    };
    std::vector<Use> uses_;
    std::vector<OpenBlock> blocks_;
};

} // namespace rux::storykit
