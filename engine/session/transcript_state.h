#pragma once
// The transcript: the file every finished screen line is copied to while it
// is open.

#include "engine/session/transcript_file.h"

namespace rux {

struct TranscriptState {
    bool transcriptOpen = false;
    TranscriptFile transcriptFile;
};

} // namespace rux
