#pragma once
// Test support for the parser: a story loaded into a fresh engine, and
// typed lines tokenized into its word table.

#include "engine/parser/tokenizer.h"
#include "engine/text/codepage.h"
#include "tests/support/test_engine.h"

#include <memory>
#include <string>

namespace rux::test {

class ParserFixture {
  public:
    explicit ParserFixture(const storykit::Story& story = {}) : test_(loadTestStory(story)) {}

    Engine& engine() { return **test_; }
    World& world() { return test_->world(); }
    ParserState& parser() { return engine().parser; }
    int parseError() { return world().byteVariables[14]; }

    // Tokenizes a line written in UTF-8 and puts the parser on word 1.
    void type(const std::string& utf8Line) {
        tokenize(engine(), utf8ToCp1252(utf8Line));
        parser().parsePosition = 1;
        world().byteVariables[14] = 0;
    }

    // The words of the table joined by "|", in UTF-8.
    std::string words() {
        std::string joined;
        const WordTable& table = parser().words;
        for (int n = 1; n <= table.wordCount; ++n)
            joined += (n > 1 ? "|" : "") + cp1252ToUtf8(table.slots[n].text);
        return joined;
    }

  private:
    std::unique_ptr<TestEngine> test_;
};

} // namespace rux::test
