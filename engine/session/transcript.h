#pragma once
// The transcript ("Manuskript"): a plain text file that receives a copy of
// every finished screen line while it is open.

#include <string>
#include <string_view>

namespace rux {

class Engine;

// What the front end's file dialog shows for a transcript.
inline constexpr std::string_view kTranscriptDialogTitle = "Manuskript erstellen";
inline constexpr std::string_view kTranscriptFilter =
    "Manuskripte (*.skr)|*.SKR|Alle Dateien (*.*)|*.*";
inline constexpr std::string_view kTranscriptExtension = ".skr";

// The transcript command: asks whether to close an open transcript, or asks
// for a file and opens it.
void toggleTranscript(Engine& engine);

// Starts writing to the file: a new file is created; for an existing one the
// player chooses between replacing it, continuing it after a "----" line and
// cancelling. A file that cannot be written is reported and byte variable 14
// set to 99; the transcript stays closed then.
void openTranscript(Engine& engine, const std::string& fileName);

// Writes one finished screen line without its control bytes (style
// switches). A write that fails closes the transcript and leaves a report
// that the output shows once the current piece of text is laid out.
void writeTranscriptLine(Engine& engine, std::string_view line);

// Writes the line being filled, if it holds anything, and closes the file.
// Nothing happens when no transcript is open.
void closeTranscript(Engine& engine);

} // namespace rux
