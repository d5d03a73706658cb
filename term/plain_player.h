#pragma once
// Batch mode: plays a story with commands from an input stream and the text
// on an output stream, for scripts, tests and screen readers.

#include "term/player_options.h"

#include <iosfwd>

namespace rux::term {

// Plays until the input ends or the game quits; returns the exit status:
// 0 then, non-zero when no story could be played (the German message on
// `err`).
int runPlainPlayer(const PlayerOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err);

} // namespace rux::term
