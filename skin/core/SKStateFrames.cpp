#include "skin/core/SKStateFrames.h"

#include <array>

namespace {

using R = TskStateRule;

constexpr std::array ButtonRules{
    R{R::Enabled, 0, 1},
    R{R::Pressed, R::Pressed, 3},
    R{R::Hot, R::Hot, 2},
    R{R::Any, 0, 1},
};

constexpr std::array CheckBoxRules{
    R{R::Enabled | R::Checked, R::Enabled | R::Checked, 1},
    R{R::Enabled | R::Checked, R::Enabled, 2},
    R{R::Enabled | R::Checked, R::Checked, 3},
    R{R::Enabled | R::Checked, 0, 4},
};

unsigned FlagsOf(const TskControlState& state) {
    return (state.Enabled ? R::Enabled : 0U) | (state.Pressed ? R::Pressed : 0U) |
           (state.Hot ? R::Hot : 0U) | (state.Checked ? R::Checked : 0U);
}

} // namespace

std::span<const TskStateRule> ButtonStateRules() {
    return ButtonRules;
}

std::span<const TskStateRule> CheckBoxStateRules() {
    return CheckBoxRules;
}

int StateFrame(std::span<const TskStateRule> rules, const TskControlState& state) {
    const unsigned flags = FlagsOf(state);
    for (const TskStateRule& rule : rules) {
        if ((flags & rule.Mask) == rule.Values) {
            return rule.Frame;
        }
    }
    return 1;
}
