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

class TBitmap;
class TComponent;
class TWinControl;
class TskFileTheme;

// Loads the picture of a picture element into target: the whole picture with frame
// count 0, otherwise frame frameIndex (from 1) of frameCount equal frames. Elements of
// other kinds and styles outside 1..5 leave target untouched.
void GetBuiltinThemeBitmap(int style, int element, TBitmap* target, int frameCount = 0,
                           int frameIndex = 1);

// True when the control is to ask fileTheme; effective is the built-in look to use
// otherwise (DeepBlue when FromThemeFile has no usable theme).
bool UsingFileTheme(const TskFileTheme* fileTheme, TskUIStyle style, TskUIStyle& effective);

// The look of a new control owned by owner: the UIStyle of the owner form's skinned
// form component, DeepBlue without one.
TskUIStyle GetFormUIStyle(const TComponent* owner);

// Whether object is the skinned form component (found by class name, so the skin's
// lower parts need not know its class).
bool IsSkinnedForm(const QObject* object);

// Gives every direct child of container that publishes FileTheme and UIStyle the file
// theme, then the look, through those properties.
void ApplyStyleToChildren(TWinControl* container, TskUIStyle style, TskFileTheme* fileTheme);

// Whether the component's class publishes a property of that name.
bool HasPublishedProperty(const QObject* component, const QString& name);
