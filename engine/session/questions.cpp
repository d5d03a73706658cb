#include "engine/session/questions.h"

#include "engine/engine.h"
#include "engine/text/case_functions.h"
#include "engine/text/output.h"
#include "engine/text/paging.h"

#include <string>

namespace rux {

namespace {

constexpr uint8_t kEscape = 27;
constexpr std::size_t kMaxChoiceLetters = 12;

bool textsSuppressed(const Engine& engine) {
    return engine.world.byteVariables[11] != 0;
}

// The answer is shown the way a typed command is: in the input style, as a
// paragraph of its own.
void echoAnswer(Engine& engine, std::string_view answer) {
    if (textsSuppressed(engine)) return;
    std::string echo;
    echo.reserve(answer.size() + 2);
    echo.push_back(static_cast<char>(kInputStyle));
    echo.append(answer);
    echo.push_back(static_cast<char>(kNormalStyle));
    outputText(engine, echo);
    paragraphBreak(engine);
}

} // namespace

bool askYesNo(Engine& engine) {
    ObjectSet keys;
    keys.insert('J');
    keys.insert('N');
    const bool yes = askKey(engine, keys) == 'J';
    echoAnswer(engine, yes ? "Ja." : "Nein.");
    return yes;
}

int askChoice(Engine& engine, std::string_view letters) {
    const std::string choices = upperCaseAll(letters.substr(0, kMaxChoiceLetters));
    ObjectSet keys;
    for (char c : choices)
        keys.insert(static_cast<uint8_t>(c));
    const uint8_t answer = askKey(engine, keys);
    if (answer == kEscape) {
        echoAnswer(engine, "-");
        return 0;
    }
    const char key = static_cast<char>(answer);
    echoAnswer(engine, std::string_view(&key, 1));
    const std::size_t position = choices.find(key);
    return position == std::string::npos ? 0 : static_cast<int>(position) + 1;
}

} // namespace rux
