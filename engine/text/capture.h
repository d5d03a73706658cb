#pragma once
// Formatting into a string instead of onto the screen: the status line and
// computed names use it. Captures nest: an inner capture hands back only
// its own text and leaves the outer one as it was.

#include <string>

namespace rux {

class Engine;

class CaptureScope {
  public:
    explicit CaptureScope(Engine& engine);
    ~CaptureScope();
    CaptureScope(const CaptureScope&) = delete;
    CaptureScope& operator=(const CaptureScope&) = delete;

    // The text captured so far.
    const std::string& text() const;

  private:
    Engine& engine_;
    bool outerMode_;
    std::string outerText_;
    bool outerCapital_;
};

} // namespace rux
