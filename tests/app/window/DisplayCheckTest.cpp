#include "app/window/DisplayCheck.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayCheckTest, NeedsAnX11OrWaylandDisplayUnlessThePlatformDrawsWithout) {
    EXPECT_TRUE(DisplayAvailable(":0", nullptr, nullptr));
    EXPECT_TRUE(DisplayAvailable(nullptr, "wayland-0", nullptr));
    EXPECT_TRUE(DisplayAvailable(nullptr, nullptr, "offscreen"));
    EXPECT_TRUE(DisplayAvailable("", "", "offscreen:fontengine=freetype"));
    EXPECT_TRUE(DisplayAvailable(nullptr, nullptr, "minimal"));
    EXPECT_FALSE(DisplayAvailable(nullptr, nullptr, nullptr));
    EXPECT_FALSE(DisplayAvailable("", "", ""));
    EXPECT_FALSE(DisplayAvailable(nullptr, nullptr, "xcb"));
    EXPECT_FALSE(DisplayAvailable(nullptr, nullptr, "wayland"));
    EXPECT_TRUE(DisplayAvailable(":1", nullptr, "xcb"));
}

} // namespace
