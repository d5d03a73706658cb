#include "engine/session/transcript.h"

#include "engine/engine.h"
#include "engine/session/file_names.h"
#include "engine/session/questions.h"
#include "engine/text/codepage.h"
#include "engine/text/formatter.h"
#include "engine/text/output.h"

#include <filesystem>
#include <system_error>

namespace rux {

namespace {

constexpr uint8_t kFailedOperation = 99;
constexpr std::string_view kSeparatorLine = "----";
constexpr std::string_view kSuggestedName = "manuskript.skr";

// The answers of the question about an existing file, in the order of the
// letters "AWÜU": cancel, continue, replace (Ü, or U for keyboards without it).
enum ExistingFileAnswer { Escaped = 0, Cancel = 1, Continue = 2, Replace = 3, ReplaceU = 4 };

void printCancelled(Engine& engine) {
    formatText(engine, "Vorgang abgebrochen./x/x");
}

// A file that cannot be written must not look like a running transcript.
void reportOpenFailure(Engine& engine) {
    engine.world.byteVariables[14] = kFailedOperation;
    outputText(engine, utf8ToCp1252("[Fehler: In diese Datei kann kein Manuskript geschrieben "
                                    "werden. Vorgang abgebrochen.]"));
    lineBreak(engine);
    lineBreak(engine);
}

// Shown on lines of its own, so the player knows the transcript ends here.
std::string writeFailureReport() {
    return utf8ToCp1252("[Fehler: Das Manuskript kann nicht weitergeschrieben werden "
                        "und wurde geschlossen.]");
}

// The output buffer finishes lines in the middle of laying out a piece of
// text and cannot print then; it shows the report after that piece.
void reportWriteFailure(Engine& engine) {
    engine.transcript.transcriptOpen = false;
    engine.output.pendingNotice = writeFailureReport();
}

void startWriting(Engine& engine) {
    engine.transcript.transcriptOpen = true;
    engine.output.transcriptWriter = [&engine](std::string_view line) {
        writeTranscriptLine(engine, line);
    };
}

std::string withoutControlBytes(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (char c : line)
        if (static_cast<unsigned char>(c) >= 32) text.push_back(c);
    return text;
}

// Any file there counts, also one this program may not read: asking before
// replacing it is the safe side.
bool fileExists(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    return status.type() != std::filesystem::file_type::not_found;
}

void continueExistingFile(Engine& engine, const std::string& fileName) {
    TranscriptFile& file = engine.transcript.transcriptFile;
    if (!file.open(fileName, TranscriptFile::Mode::Append) || !file.writeLine(kSeparatorLine)) {
        file.close();
        reportOpenFailure(engine);
        return;
    }
    startWriting(engine);
    formatText(engine, utf8ToCp1252("Manuskript wird weitergeführt."));
}

void writeNewFile(Engine& engine, const std::string& fileName, std::string_view confirmation) {
    if (!engine.transcript.transcriptFile.open(fileName, TranscriptFile::Mode::Write)) {
        reportOpenFailure(engine);
        return;
    }
    startWriting(engine);
    formatText(engine, confirmation);
}

} // namespace

void toggleTranscript(Engine& engine) {
    if (engine.transcript.transcriptOpen) {
        formatText(engine, utf8ToCp1252("Manuskript wirklich schließen?[J//N] "));
        if (!askYesNo(engine)) return;
        formatText(engine, "Das Manuskript wird geschlossen.");
        closeTranscript(engine);
        return;
    }
    const std::optional<std::string> fileName =
        engine.host.chooseFile(FileChoice::Transcript, std::string(kSuggestedName));
    if (!fileName || fileName->empty()) {
        printCancelled(engine);
        return;
    }
    openTranscript(engine, defaultExtension(*fileName, kTranscriptExtension));
}

void openTranscript(Engine& engine, const std::string& fileName) {
    closeTranscript(engine);
    if (!fileExists(fileName)) {
        writeNewFile(engine, fileName, "Manuskript wird nun geschrieben.");
        return;
    }
    formatText(engine, utf8ToCp1252("Diese Datei gibt es bereits./xüberschreiben, Manuskript "
                                    "weiterführen oder abbrechen? [Ü//W//A] "));
    switch (askChoice(engine, utf8ToCp1252("AWÜU"))) {
    case Continue: continueExistingFile(engine, fileName); break;
    case Replace:
    case ReplaceU: writeNewFile(engine, fileName, "Manuskript wird neu geschrieben."); break;
    default: printCancelled(engine); break;
    }
}

void writeTranscriptLine(Engine& engine, std::string_view line) {
    TranscriptState& transcript = engine.transcript;
    if (!transcript.transcriptOpen) return;
    if (!transcript.transcriptFile.writeLine(withoutControlBytes(line))) reportWriteFailure(engine);
}

void closeTranscript(Engine& engine) {
    TranscriptState& transcript = engine.transcript;
    engine.output.transcriptWriter = nullptr;
    if (!transcript.transcriptOpen) return;
    transcript.transcriptOpen = false;
    // The line being filled holds the last words shown, often the closing
    // message itself; it would be lost if only finished lines counted.
    const std::string lastLine = withoutControlBytes(currentDisplayLine(engine));
    const bool written = lastLine.empty() || transcript.transcriptFile.writeLine(lastLine);
    transcript.transcriptFile.close();
    if (!written) {
        lineBreak(engine);
        outputText(engine, writeFailureReport());
        lineBreak(engine);
    }
}

} // namespace rux
