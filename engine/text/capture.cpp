#include "engine/text/capture.h"

#include "engine/engine.h"

namespace rux {

CaptureScope::CaptureScope(Engine& engine)
    : engine_(engine), outerMode_(engine.output.captureMode),
      outerText_(std::move(engine.output.capturedText)), outerCapital_(engine.text.capitalPending) {
    engine_.output.captureMode = true;
    engine_.text.capitalPending = false; // a captured name is not the outer text's first letter
    engine_.output.capturedText.clear();
}

CaptureScope::~CaptureScope() {
    engine_.output.captureMode = outerMode_;
    engine_.output.capturedText = std::move(outerText_);
    engine_.text.capitalPending = outerCapital_;
}

const std::string& CaptureScope::text() const {
    return engine_.output.capturedText;
}

} // namespace rux
