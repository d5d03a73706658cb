#include <gtest/gtest.h>

#include "engine/world/world.h"

TEST(World, Placeholder) { rux::World w; EXPECT_EQ(w.codeArea.size(), rux::codeAreaSize); }
