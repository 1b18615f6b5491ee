// The state-to-frame tables, row by row, including which state wins.
#include "skin/core/SKStateFrames.h"

#include <gtest/gtest.h>

TEST(StateFrames, ButtonRowsAndPrecedence) {
    EXPECT_EQ(ButtonStateFrame({}), 1);
    EXPECT_EQ(ButtonStateFrame({.Hot = true}), 2);
    EXPECT_EQ(ButtonStateFrame({.Pressed = true}), 3);
    EXPECT_EQ(ButtonStateFrame({.Pressed = true, .Hot = true}), 3) << "pressed wins";
    EXPECT_EQ(ButtonStateFrame({.Enabled = false, .Pressed = true, .Hot = true}), 1)
        << "disabled wins over everything";
    EXPECT_EQ(ButtonStateFrame({.Focused = true}), 1) << "focus has no frame of its own";
    EXPECT_EQ(ButtonStateFrame({.Checked = true}), 1);
}

TEST(StateFrames, CheckBoxRows) {
    EXPECT_EQ(CheckBoxStateFrame({.Checked = true}), 1);
    EXPECT_EQ(CheckBoxStateFrame({}), 2);
    EXPECT_EQ(CheckBoxStateFrame({.Enabled = false, .Checked = true}), 3);
    EXPECT_EQ(CheckBoxStateFrame({.Enabled = false}), 4);
    EXPECT_EQ(CheckBoxStateFrame({.Pressed = true, .Hot = true, .Focused = true}), 2)
        << "pointer and focus do not change the picture";
}
