// The looks of the skinned controls and the built-in theme table: every picture, colour,
// integer and flag that a control reads, by look and theme element.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <cstdint>

namespace SkinStyles {
Q_NAMESPACE

// One byte, in this order; stored layouts set it by the value's name.
enum TskUIStyle : std::uint8_t {
    FromThemeFile = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5,
};
Q_ENUM_NS(TskUIStyle)

} // namespace SkinStyles

using SkinStyles::TskUIStyle;
using enum SkinStyles::TskUIStyle;

// The 48 theme elements; each identifier is also the element's key in skin files.
enum TskThemeElement : int {
    ButtonImage = 1,
    ButtonTransparentBool,
    CheckBoxImage,
    RadioButtonImage,
    TitleBarButtonImage,
    TitleBarButtonTransparentBool,
    TitleBarButtonLeftOffsetInt,
    TitleBarButtonRightOffsetInt,
    TitleBarButtonTopInt,
    TitleBarLeftImage,
    TitleBarClientImage,
    TitleBarRightImage,
    FormMinWidthInt,
    FormRoundCornerInt,
    FormBackgroundColor,
    FormBorderColor,
    FormBorderWidthInt,
    MenuSelectedBorderColor,
    MenuSelectedBackgroundColor,
    MenuSelectedFontColor,
    MenuBackgroundColor,
    MenuFontColor,
    MenuBarColor,
    ProgressBarImage,
    ControlBorderColor,
    ControlBackgroundColor,
    ControlFontColor,
    TrackBarBarImage,
    TrackBarSliderImage,
    TrackBarSliderVImage,
    ScrollBarBackgroundColor,
    ScrollBarButtonImage,
    ScrollBarSliderImage,
    CheckListBoxImage,
    ToolBarButtonBorderColor,
    ToolBarButtonBackgroundColor,
    ToolBarButtonDownBackgroundColor,
    ScrollButtonImage,
    TabControlTabImage,
    TabControlBarImage,
    SideChannelHandleImage,
    SideChannelBarImage,
    TitleBarMinimizedImage,
    TitleBarFontColor,
    FormLeftBorderImage,
    FormBottomBorderImage,
    FormBottomRoundCornerInt,
    MenuMenuBarColor,
};

inline constexpr int ThemeElementCount = 48;
inline constexpr int BuiltinStyleCount = 5;

// Kind codes of the table; skin files use the same codes.
enum class TskThemeKind : std::uint8_t {
    Integer = 0,
    Colour = 1,
    Picture = 2,
    Flag = 3,
};

// A colour value of the platform: red in the low byte, then green, then blue.
using TskColor = std::uint32_t;

// The raw entry of one element of one look. For a picture the value is 0 and the picture
// is named by pictureName (possibly empty); for every other kind pictureName is empty.
struct TskThemeEntry {
    std::int32_t value = -1;
    TskThemeKind kind = TskThemeKind::Integer;
    const char* pictureName = "";
};

// The element's key name in skin files ("ButtonImage"); empty outside 1..48.
const char* ThemeElementKeyName(int element);
// The element's kind, the same for every look.
TskThemeKind ThemeElementKind(int element);

// Only the low seven bits of the style count; styles other than 1..5 give -1 of kind integer.
TskThemeEntry GetBuiltinThemeEntry(int style, int element);
// Colour of a colour element, 0 (black) for every other kind.
TskColor GetBuiltinThemeColor(int style, int element);
// Value of an integer element, -1 for every other kind.
std::int32_t GetBuiltinThemeInt(int style, int element);
// Value of a flag element, false for every other kind.
bool GetBuiltinThemeBool(int style, int element);

// A built-in picture by its resource name ("MACOS_BUTTON"); a null image when there is none.
QImage LoadThemePicture(const QString& name);
// The whole picture of a picture element of a built-in look; a null image for elements of
// other kinds, for empty picture names and for styles outside 1..5.
QImage LoadBuiltinThemePicture(int style, int element);
