#include "engine/text/capture.h"

#include "engine/engine.h"

namespace rux {

CaptureScope::CaptureScope(Engine& engine)
    : engine_(engine), outerMode_(engine.output.captureMode),
      outerText_(std::move(engine.output.capturedText)) {
    engine_.output.captureMode = true;
    engine_.output.capturedText.clear();
}

CaptureScope::~CaptureScope() {
    engine_.output.captureMode = outerMode_;
    engine_.output.capturedText = std::move(outerText_);
}

const std::string& CaptureScope::text() const {
    return engine_.output.capturedText;
}

} // namespace rux
