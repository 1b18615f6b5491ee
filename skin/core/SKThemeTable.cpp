// The built-in theme table: one constant array of 48 values per look, indexed by element.
#include "skin/core/SKThemes.h"

#include <array>

namespace {

// One stored value: a number for integers, colours and flags, a name for pictures.
struct BuiltinValue {
    std::int32_t number = 0;
    const char* name = "";
};

// Colours are written as #RRGGBB and stored in the platform's order (red in the low byte).
constexpr BuiltinValue Rgb(std::uint32_t rrggbb) {
    const std::uint32_t red = (rrggbb >> 16) & 0xFF;
    const std::uint32_t green = (rrggbb >> 8) & 0xFF;
    const std::uint32_t blue = rrggbb & 0xFF;
    return {static_cast<std::int32_t>(red | (green << 8) | (blue << 16)), ""};
}
constexpr BuiltinValue Int(std::int32_t value) {
    return {value, ""};
}
constexpr BuiltinValue Flag(bool value) {
    return {value ? 1 : 0, ""};
}
constexpr BuiltinValue Pic(const char* name) {
    return {0, name};
}

using Kind = TskThemeKind;
constexpr Kind I = Kind::Integer;
constexpr Kind C = Kind::Colour;
constexpr Kind P = Kind::Picture;
constexpr Kind F = Kind::Flag;

struct ElementInfo {
    const char* keyName;
    Kind kind;
};

constexpr std::array<ElementInfo, ThemeElementCount> Elements{{
    {"ButtonImage", P},
    {"ButtonTransparentBool", F},
    {"CheckBoxImage", P},
    {"RadioButtonImage", P},
    {"TitleBarButtonImage", P},
    {"TitleBarButtonTransparentBool", F},
    {"TitleBarButtonLeftOffsetInt", I},
    {"TitleBarButtonRightOffsetInt", I},
    {"TitleBarButtonTopInt", I},
    {"TitleBarLeftImage", P},
    {"TitleBarClientImage", P},
    {"TitleBarRightImage", P},
    {"FormMinWidthInt", I},
    {"FormRoundCornerInt", I},
    {"FormBackgroundColor", C},
    {"FormBorderColor", C},
    {"FormBorderWidthInt", I},
    {"MenuSelectedBorderColor", C},
    {"MenuSelectedBackgroundColor", C},
    {"MenuSelectedFontColor", C},
    {"MenuBackgroundColor", C},
    {"MenuFontColor", C},
    {"MenuBarColor", C},
    {"ProgressBarImage", P},
    {"ControlBorderColor", C},
    {"ControlBackgroundColor", C},
    {"ControlFontColor", C},
    {"TrackBarBarImage", P},
    {"TrackBarSliderImage", P},
    {"TrackBarSliderVImage", P},
    {"ScrollBarBackgroundColor", C},
    {"ScrollBarButtonImage", P},
    {"ScrollBarSliderImage", P},
    {"CheckListBoxImage", P},
    {"ToolBarButtonBorderColor", C},
    {"ToolBarButtonBackgroundColor", C},
    {"ToolBarButtonDownBackgroundColor", C},
    {"ScrollButtonImage", P},
    {"TabControlTabImage", P},
    {"TabControlBarImage", P},
    {"SideChannelHandleImage", P},
    {"SideChannelBarImage", P},
    {"TitleBarMinimizedImage", P},
    {"TitleBarFontColor", C},
    {"FormLeftBorderImage", P},
    {"FormBottomBorderImage", P},
    {"FormBottomRoundCornerInt", I},
    {"MenuMenuBarColor", C},
}};

using LookTable = std::array<BuiltinValue, ThemeElementCount>;

constexpr LookTable MacOSTable{{
    Pic("MACOS_BUTTON"),
    Flag(true),
    Pic("MACOS_CHECKBOX"),
    Pic("MACOS_RADIOBUTTON"),
    Pic("MACOS_TITLEBTN"),
    Flag(false),
    Int(3),
    Int(-2),
    Int(4),
    Pic("MACOS_TITLE_LEFT"),
    Pic("MACOS_TITLE_CLIENT"),
    Pic("MACOS_TITLE_RIGHT"),
    Int(130),
    Int(0),
    Rgb(0xE7E7E7),
    Rgb(0x7F7F7F),
    Int(1),
    Rgb(0x3973C4),
    Rgb(0x3973C4),
    Rgb(0xFFFFFF),
    Rgb(0x000000),
    Rgb(0x000000),
    Rgb(0x000000),
    Pic("MACOS_PROGRESSBAR"),
    Rgb(0x7F7F7F),
    Rgb(0xE7E7E7),
    Rgb(0x000000),
    Pic("MACOS_TRACKBAR_BAR"),
    Pic("MACOS_TRACKBAR_SLIDER"),
    Pic("MACOS_TRACKBAR_SLIDER_V"),
    Rgb(0xC9C9C9),
    Pic("MACOS_SCROLLBAR_BUTTON"),
    Pic("MACOS_SCROLLBAR_TRACK"),
    Pic("MACOS_CHECKLIST"),
    Rgb(0x474747),
    Rgb(0xEFEFEF),
    Rgb(0xD8D8D8),
    Pic("MACOS_SCROLLBUTTON"),
    Pic("MACOS_TAB"),
    Pic("MACOS_TAB_LINE"),
    Pic("MACOS_SIDECHENNEL_HANDLE"),
    Pic("MACOS_SIDECHENNEL_BAR"),
    Pic(""),
    Rgb(0x000000),
    Pic(""),
    Pic(""),
    Int(0),
    Rgb(0xE7E7E7),
}};

constexpr LookTable WinXPTable{{
    Pic("WINXP_BUTTON"),
    Flag(false),
    Pic("WINXP_CHECKBOX"),
    Pic("WINXP_RADIOBUTTON"),
    Pic("WINXP_TITLEBTN"),
    Flag(false),
    Int(2),
    Int(-2),
    Int(5),
    Pic("WINXP_TITLE_LEFT"),
    Pic("WINXP_TITLE_CLIENT"),
    Pic("WINXP_TITLE_RIGHT"),
    Int(150),
    Int(13),
    Rgb(0xEFEBDE),
    Rgb(0x002CC8),
    Int(3),
    Rgb(0x3169C6),
    Rgb(0xC6D3EF),
    Rgb(0x000000),
    Rgb(0xFFFFFF),
    Rgb(0x000000),
    Rgb(0xD6D3CE),
    Pic("WINXP_PROGRESSBAR"),
    Rgb(0x686868),
    Rgb(0xEFEBDE),
    Rgb(0x0246CF),
    Pic("WINXP_TRACKBAR_BAR"),
    Pic("WINXP_TRACKBAR_SLIDER"),
    Pic("WINXP_TRACKBAR_SLIDER_V"),
    Rgb(0xF9F9F9),
    Pic("WINXP_SCROLLBAR_BUTTON"),
    Pic("WINXP_SCROLLBAR_TRACK"),
    Pic("WINXP_CHECKLIST"),
    Rgb(0x3169C6),
    Rgb(0xC6D3EF),
    Rgb(0x93ACE1),
    Pic("WINXP_SCROLLBUTTON"),
    Pic("WINXP_TAB"),
    Pic("WINXP_TAB_LINE"),
    Pic("WINXP_SIDECHENNEL_HANDLE"),
    Pic("WINXP_SIDECHENNEL_BAR"),
    Pic(""),
    Rgb(0xFFFFFF),
    Pic(""),
    Pic(""),
    Int(0),
    Rgb(0xEFEBDE),
}};

constexpr LookTable DeepBlueTable{{
    Pic("DEEPBLUE_BUTTON"),
    Flag(false),
    Pic("DEEPBLUE_CHECKBOX"),
    Pic("DEEPBLUE_RADIOBUTTON"),
    Pic("DEEPBLUE_TITLEBTN"),
    Flag(false),
    Int(0),
    Int(0),
    Int(2),
    Pic("DEEPBLUE_TITLE_LEFT"),
    Pic("DEEPBLUE_TITLE_CLIENT"),
    Pic("DEEPBLUE_TITLE_RIGHT"),
    Int(130),
    Int(0),
    Rgb(0xE8E8E8),
    Rgb(0x000000),
    Int(1),
    Rgb(0x444AA0),
    Rgb(0x444AA0),
    Rgb(0xFFFFFF),
    Rgb(0xFFFFFF),
    Rgb(0x000000),
    Rgb(0xD6D3CE),
    Pic("DEEPBLUE_PROGRESSBAR"),
    Rgb(0x000000),
    Rgb(0xE8E8E8),
    Rgb(0x000000),
    Pic("DEEPBLUE_TRACKBAR_BAR"),
    Pic("DEEPBLUE_TRACKBAR_SLIDER"),
    Pic("DEEPBLUE_TRACKBAR_SLIDER_V"),
    Rgb(0xF5F5F5),
    Pic("DEEPBLUE_SCROLLBAR_BUTTON"),
    Pic("DEEPBLUE_SCROLLBAR_TRACK"),
    Pic("DEEPBLUE_CHECKLIST"),
    Rgb(0x474747),
    Rgb(0xEFEFEF),
    Rgb(0xD8D8D8),
    Pic("MORE_SCROLLBUTTON"),
    Pic("DEEPBLUE_TAB"),
    Pic("DEEPBLUE_TAB_LINE"),
    Pic("DEEPBLUE_SIDECHENNEL_HANDLE"),
    Pic("DEEPBLUE_SIDECHENNEL_BAR"),
    Pic(""),
    Rgb(0xFFFFFF),
    Pic(""),
    Pic(""),
    Int(0),
    Rgb(0xE8E8E8),
}};

constexpr LookTable ProteinTable{{
    Pic("PROTEIN_BUTTON"),
    Flag(false),
    Pic("PROTEIN_CHECKBOX"),
    Pic("PROTEIN_RADIOBUTTON"),
    Pic("PROTEIN_TITLEBTN"),
    Flag(true),
    Int(0),
    Int(0),
    Int(2),
    Pic("PROTEIN_TITLE_LEFT"),
    Pic("PROTEIN_TITLE_CLIENT"),
    Pic("PROTEIN_TITLE_RIGHT"),
    Int(130),
    Int(0),
    Rgb(0xFBFBFB),
    Rgb(0x000000),
    Int(1),
    Rgb(0x2D30C4),
    Rgb(0x2D30C4),
    Rgb(0xFFFFFF),
    Rgb(0xFFFFFF),
    Rgb(0x000000),
    Rgb(0xD6D3CE),
    Pic("PROTEIN_PROGRESSBAR"),
    Rgb(0x000000),
    Rgb(0xFBFBFB),
    Rgb(0x000000),
    Pic("PROTEIN_TRACKBAR_BAR"),
    Pic("PROTEIN_TRACKBAR_SLIDER"),
    Pic("PROTEIN_TRACKBAR_SLIDER_V"),
    Rgb(0xF5F5F5),
    Pic("PROTEIN_SCROLLBAR_BUTTON"),
    Pic("PROTEIN_SCROLLBAR_TRACK"),
    Pic("PROTEIN_CHECKLIST"),
    Rgb(0x474747),
    Rgb(0xEFEFEF),
    Rgb(0xD8D8D8),
    Pic("MORE_SCROLLBUTTON"),
    Pic("PROTEIN_TAB"),
    Pic("PROTEIN_TAB_LINE"),
    Pic("PROTEIN_SIDECHENNEL_HANDLE"),
    Pic("PROTEIN_SIDECHENNEL_BAR"),
    Pic(""),
    Rgb(0xFFFFFF),
    Pic(""),
    Pic(""),
    Int(0),
    Rgb(0xFBFBFB),
}};

constexpr LookTable BlueGlassTable{{
    Pic("BLUEGLASS_BUTTON"),
    Flag(true),
    Pic("BLUEGLASS_CHECKBOX"),
    Pic("BLUEGLASS_RADIOBUTTON"),
    Pic("BLUEGLASS_TITLEBTN"),
    Flag(true),
    Int(4),
    Int(-3),
    Int(6),
    Pic("BLUEGLASS_TITLE_LEFT"),
    Pic("BLUEGLASS_TITLE_CLIENT"),
    Pic("BLUEGLASS_TITLE_RIGHT"),
    Int(270),
    Int(11),
    Rgb(0xE7E7E7),
    Rgb(0x000000),
    Int(1),
    Rgb(0x5E5EEC),
    Rgb(0x5E5EEC),
    Rgb(0xFFFFFF),
    Rgb(0xE7E7E7),
    Rgb(0x000000),
    Rgb(0xD6D3CE),
    Pic("BLUEGLASS_PROGRESSBAR"),
    Rgb(0x000000),
    Rgb(0xE7E7E7),
    Rgb(0x000000),
    Pic("BLUEGLASS_TRACKBAR_BAR"),
    Pic("BLUEGLASS_TRACKBAR_SLIDER"),
    Pic("BLUEGLASS_TRACKBAR_SLIDER_V"),
    Rgb(0xF4F4F4),
    Pic("BLUEGLASS_SCROLLBAR_BUTTON"),
    Pic("BLUEGLASS_SCROLLBAR_TRACK"),
    Pic("BLUEGLASS_CHECKLIST"),
    Rgb(0x474747),
    Rgb(0xEFEFEF),
    Rgb(0xD8D8D8),
    Pic("MORE_SCROLLBUTTON"),
    Pic("BLUEGLASS_TAB"),
    Pic("BLUEGLASS_TAB_LINE"),
    Pic("BLUEGLASS_SIDECHENNEL_HANDLE"),
    Pic("BLUEGLASS_SIDECHENNEL_BAR"),
    Pic(""),
    Rgb(0xFFFFFF),
    Pic(""),
    Pic(""),
    Int(0),
    Rgb(0xE7E7E7),
}};

constexpr std::array<const LookTable*, BuiltinStyleCount> LookTables{
    &MacOSTable, &WinXPTable, &DeepBlueTable, &ProteinTable, &BlueGlassTable};

static_assert(Elements.size() == MenuMenuBarColor, "one entry per theme element");

constexpr bool IsElement(int element) {
    return element >= 1 && element <= ThemeElementCount;
}

} // namespace

const char* ThemeElementKeyName(int element) {
    return IsElement(element) ? Elements[element - 1].keyName : "";
}

TskThemeKind ThemeElementKind(int element) {
    return IsElement(element) ? Elements[element - 1].kind : TskThemeKind::Integer;
}

TskThemeEntry GetBuiltinThemeEntry(int style, int element) {
    const int look = style & 0x7F;
    if (look < MacOS || look > BlueGlass || !IsElement(element)) {
        return {};
    }
    const BuiltinValue& stored = (*LookTables[look - MacOS])[element - 1];
    return {stored.number, Elements[element - 1].kind, stored.name};
}

TskColor GetBuiltinThemeColor(int style, int element) {
    const TskThemeEntry entry = GetBuiltinThemeEntry(style, element);
    return entry.kind == TskThemeKind::Colour ? static_cast<TskColor>(entry.value) : 0;
}

std::int32_t GetBuiltinThemeInt(int style, int element) {
    const TskThemeEntry entry = GetBuiltinThemeEntry(style, element);
    return entry.kind == TskThemeKind::Integer ? entry.value : -1;
}

bool GetBuiltinThemeBool(int style, int element) {
    const TskThemeEntry entry = GetBuiltinThemeEntry(style, element);
    return entry.kind == TskThemeKind::Flag && entry.value != 0;
}
