#include "ui/display_settings.h"

#include <gtest/gtest.h>

namespace rux::ui {
namespace {

TEST(DisplaySettings, DefaultsAreTheDocumentedLook) {
    const WindowSettings settings;
    EXPECT_EQ(settings.geometry, QRect(418, 105, 607, 604));
    EXPECT_EQ(settings.display.font(TextStyle::Input).name, "Courier New");
    EXPECT_EQ(settings.display.font(TextStyle::Bold).styleBits, kBoldBit);
    EXPECT_EQ(settings.display.font(TextStyle::Input).colour, QColor(0, 0, 0x80));
}

} // namespace
} // namespace rux::ui
