#include "term/player_options.h"

#include <charconv>
#include <limits>

namespace rux::term {

namespace {

// A whole decimal number in [low, high], no sign, no spaces.
template <typename Number>
std::optional<Number> readNumber(const std::string& text, Number low, Number high) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '-' || fault != std::errc{} || stop != end) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

ParsedCommandLine failure(std::string text) {
    ParsedCommandLine result;
    result.kind = ParsedCommandLine::Kind::Error;
    result.error = std::move(text);
    return result;
}

} // namespace

ParsedCommandLine parsePlayerArguments(const std::vector<std::string>& arguments) {
    ParsedCommandLine result;
    PlayerOptions& options = result.options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            options.arguments.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            result.kind = ParsedCommandLine::Kind::Help;
            return result;
        } else if (argument == "--plain") {
            options.plain = true;
        } else if (argument == "--width" || argument == "--seed") {
            if (i + 1 == arguments.size()) return failure(argument + " braucht eine Zahl.");
            const std::string& value = arguments[++i];
            if (argument == "--width") {
                const auto width = readNumber(value, 1, kMaxPlainWidth);
                if (!width)
                    return failure("--width: " + value + " ist keine Breite von 1 bis " +
                                   std::to_string(kMaxPlainWidth) + ".");
                options.width = *width;
            } else {
                const auto seed =
                    readNumber(value, uint64_t{0}, std::numeric_limits<uint64_t>::max());
                if (!seed) return failure("--seed: " + value + " ist keine Zahl.");
                options.seed = *seed;
            }
        } else {
            return failure("Unbekannte Option: " + argument);
        }
    }
    if (options.arguments.empty()) {
        result.kind = ParsedCommandLine::Kind::Help;
        result.error = "Keine Spieldatei angegeben.";
    }
    return result;
}

std::string usageText() {
    return "Aufruf: rux [--plain] [--width N] [--seed N] SPIELDATEI.vux\n"
           "\n"
           "  --plain     ohne Vollbild: Befehle zeilenweise von der Standardeingabe,\n"
           "              Text auf die Standardausgabe (auch, wenn Ein- oder Ausgabe\n"
           "              kein Terminal ist)\n"
           "  --width N   Zeilenbreite im Modus --plain (Vorgabe 80)\n"
           "  --seed N    Zufallszahlen wiederholbar machen\n";
}

} // namespace rux::term
