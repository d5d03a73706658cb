#include "engine/script/finish_paragraph.h"

#include "engine/engine.h"
#include "engine/text/output.h"

namespace rux {

void finishParagraph(Engine& engine) {
    if (!currentDisplayLine(engine).empty()) paragraphBreak(engine);
}

} // namespace rux
