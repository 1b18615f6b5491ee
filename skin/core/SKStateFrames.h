// Which frame of a control's state picture shows its state: one table per picture
// layout, read top to bottom, the first matching row wins.
#pragma once

#include <span>

// The states the skinned controls draw.
struct TskControlState {
    bool Enabled = true;
    bool Pressed = false;
    bool Hot = false;
    bool Focused = false;
    bool Checked = false;
};

// One row: the state matches when every flag it names has the given value.
struct TskStateRule {
    enum TFlag : unsigned { Any = 0, Enabled = 1, Pressed = 2, Hot = 4, Checked = 8 };
    unsigned Mask;
    unsigned Values;
    int Frame;
};

// Push buttons: normal, pointer over, pressed side by side; disabled shows the normal
// frame and pressed wins over pointer over.
inline constexpr int ButtonFrameCount = 3;
// Check boxes: checked, unchecked, checked disabled, unchecked disabled.
inline constexpr int CheckBoxFrameCount = 4;

std::span<const TskStateRule> ButtonStateRules();
std::span<const TskStateRule> CheckBoxStateRules();

// The frame (from 1) that the first matching rule names; 1 when none matches.
int StateFrame(std::span<const TskStateRule> rules, const TskControlState& state);
inline int ButtonStateFrame(const TskControlState& state) {
    return StateFrame(ButtonStateRules(), state);
}
inline int CheckBoxStateFrame(const TskControlState& state) {
    return StateFrame(CheckBoxStateRules(), state);
}
