#include "skin/core/SKThemes.h"

#include <QMetaEnum>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>

namespace {

// Platform colour of a #RRGGBB value: red in the low byte.
TskColor Platform(std::uint32_t rrggbb) {
    return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}

// Every value that is not a picture, per element, for MacOS, WinXP, DeepBlue, Protein and
// BlueGlass, written the way the looks are documented (colours as RRGGBB).
struct ExpectedRow {
    int element;
    const char* values[5];
};

const ExpectedRow ExpectedValues[] = {
    {ButtonTransparentBool, {"1", "0", "0", "0", "1"}},
    {TitleBarButtonTransparentBool, {"0", "0", "0", "1", "1"}},
    {TitleBarButtonLeftOffsetInt, {"3", "2", "0", "0", "4"}},
    {TitleBarButtonRightOffsetInt, {"-2", "-2", "0", "0", "-3"}},
    {TitleBarButtonTopInt, {"4", "5", "2", "2", "6"}},
    {FormMinWidthInt, {"130", "150", "130", "130", "270"}},
    {FormRoundCornerInt, {"0", "13", "0", "0", "11"}},
    {FormBackgroundColor, {"E7E7E7", "EFEBDE", "E8E8E8", "FBFBFB", "E7E7E7"}},
    {FormBorderColor, {"7F7F7F", "002CC8", "000000", "000000", "000000"}},
    {FormBorderWidthInt, {"1", "3", "1", "1", "1"}},
    {MenuSelectedBorderColor, {"3973C4", "3169C6", "444AA0", "2D30C4", "5E5EEC"}},
    {MenuSelectedBackgroundColor, {"3973C4", "C6D3EF", "444AA0", "2D30C4", "5E5EEC"}},
    {MenuSelectedFontColor, {"FFFFFF", "000000", "FFFFFF", "FFFFFF", "FFFFFF"}},
    {MenuBackgroundColor, {"000000", "FFFFFF", "FFFFFF", "FFFFFF", "E7E7E7"}},
    {MenuFontColor, {"000000", "000000", "000000", "000000", "000000"}},
    {MenuBarColor, {"000000", "D6D3CE", "D6D3CE", "D6D3CE", "D6D3CE"}},
    {ControlBorderColor, {"7F7F7F", "686868", "000000", "000000", "000000"}},
    {ControlBackgroundColor, {"E7E7E7", "EFEBDE", "E8E8E8", "FBFBFB", "E7E7E7"}},
    {ControlFontColor, {"000000", "0246CF", "000000", "000000", "000000"}},
    {ScrollBarBackgroundColor, {"C9C9C9", "F9F9F9", "F5F5F5", "F5F5F5", "F4F4F4"}},
    {ToolBarButtonBorderColor, {"474747", "3169C6", "474747", "474747", "474747"}},
    {ToolBarButtonBackgroundColor, {"EFEFEF", "C6D3EF", "EFEFEF", "EFEFEF", "EFEFEF"}},
    {ToolBarButtonDownBackgroundColor, {"D8D8D8", "93ACE1", "D8D8D8", "D8D8D8", "D8D8D8"}},
    {TitleBarFontColor, {"000000", "FFFFFF", "FFFFFF", "FFFFFF", "FFFFFF"}},
    {FormBottomRoundCornerInt, {"0", "0", "0", "0", "0"}},
    {MenuMenuBarColor, {"E7E7E7", "EFEBDE", "E8E8E8", "FBFBFB", "E7E7E7"}},
};

// Picture element and the part of its resource name after the look's prefix.
const std::pair<int, const char*> PictureParts[] = {
    {ButtonImage, "BUTTON"},
    {CheckBoxImage, "CHECKBOX"},
    {RadioButtonImage, "RADIOBUTTON"},
    {TitleBarButtonImage, "TITLEBTN"},
    {TitleBarLeftImage, "TITLE_LEFT"},
    {TitleBarClientImage, "TITLE_CLIENT"},
    {TitleBarRightImage, "TITLE_RIGHT"},
    {ProgressBarImage, "PROGRESSBAR"},
    {TrackBarBarImage, "TRACKBAR_BAR"},
    {TrackBarSliderImage, "TRACKBAR_SLIDER"},
    {TrackBarSliderVImage, "TRACKBAR_SLIDER_V"},
    {ScrollBarButtonImage, "SCROLLBAR_BUTTON"},
    {ScrollBarSliderImage, "SCROLLBAR_TRACK"},
    {CheckListBoxImage, "CHECKLIST"},
    {ScrollButtonImage, "SCROLLBUTTON"},
    {TabControlTabImage, "TAB"},
    {TabControlBarImage, "TAB_LINE"},
    {SideChannelHandleImage, "SIDECHENNEL_HANDLE"},
    {SideChannelBarImage, "SIDECHENNEL_BAR"},
};

const char* const Prefixes[] = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};

bool IsSkinFileOnly(int element) {
    return element == TitleBarMinimizedImage || element == FormLeftBorderImage ||
           element == FormBottomBorderImage;
}

TEST(ThemeTable, DocumentedEdgeCases) {
    EXPECT_EQ(GetBuiltinThemeColor(MacOS, MenuBackgroundColor), 0u);
    EXPECT_EQ(GetBuiltinThemeColor(WinXP, MenuSelectedBackgroundColor), Platform(0xC6D3EF));
    EXPECT_EQ(GetBuiltinThemeColor(WinXP, MenuSelectedBackgroundColor), 0x00EFD3C6u);
    EXPECT_EQ(GetBuiltinThemeInt(BlueGlass, TitleBarButtonRightOffsetInt), -3);
    EXPECT_EQ(GetBuiltinThemeColor(MacOS, MenuSelectedBorderColor), 0x00C47339u);
    EXPECT_EQ(GetBuiltinThemeEntry(DeepBlue, ScrollButtonImage).pictureName,
              std::string_view("MORE_SCROLLBUTTON"));
}

TEST(ThemeTable, TypedGettersOnTheWrongKindGiveNeutralValues) {
    EXPECT_EQ(GetBuiltinThemeColor(MacOS, ButtonImage), 0u);
    EXPECT_EQ(GetBuiltinThemeColor(MacOS, FormBorderWidthInt), 0u);
    EXPECT_EQ(GetBuiltinThemeInt(MacOS, FormBackgroundColor), -1);
    EXPECT_EQ(GetBuiltinThemeInt(MacOS, ButtonTransparentBool), -1);
    EXPECT_FALSE(GetBuiltinThemeBool(MacOS, FormBorderWidthInt));
    EXPECT_FALSE(GetBuiltinThemeBool(BlueGlass, FormBorderColor));
    EXPECT_TRUE(GetBuiltinThemeBool(BlueGlass, ButtonTransparentBool));
}

TEST(ThemeTable, StylesOutsideTheBuiltInLooksGiveMinusOneOfKindInteger) {
    for (const int style : {0, 6, 7, 127, 128, 0x80 + 6, -1}) {
        for (int element = 1; element <= ThemeElementCount; ++element) {
            const TskThemeEntry entry = GetBuiltinThemeEntry(style, element);
            EXPECT_EQ(entry.value, -1) << style << " " << element;
            EXPECT_EQ(entry.kind, TskThemeKind::Integer) << style << " " << element;
        }
    }
    EXPECT_EQ(GetBuiltinThemeColor(FromThemeFile, FormBackgroundColor), 0u);
    EXPECT_EQ(GetBuiltinThemeInt(FromThemeFile, FormMinWidthInt), -1);
    EXPECT_FALSE(GetBuiltinThemeBool(FromThemeFile, ButtonTransparentBool));
}

TEST(ThemeTable, OnlyTheLowSevenBitsOfTheStyleCount) {
    EXPECT_EQ(GetBuiltinThemeInt(0x80 | WinXP, FormMinWidthInt), 150);
    EXPECT_EQ(GetBuiltinThemeInt(0x180 | BlueGlass, FormMinWidthInt), 270);
    EXPECT_EQ(GetBuiltinThemeColor(0x80 | MacOS, FormBorderColor), Platform(0x7F7F7F));
}

TEST(ThemeTable, EveryValueOfEveryLook) {
    for (const ExpectedRow& row : ExpectedValues) {
        for (int look = 0; look < BuiltinStyleCount; ++look) {
            const int style = MacOS + look;
            const QString text = QString::fromLatin1(row.values[look]);
            const TskThemeEntry entry = GetBuiltinThemeEntry(style, row.element);
            SCOPED_TRACE(std::string(ThemeElementKeyName(row.element)) + " of style " +
                         std::to_string(style));
            switch (entry.kind) {
            case TskThemeKind::Colour:
                EXPECT_EQ(GetBuiltinThemeColor(style, row.element),
                          Platform(text.toUInt(nullptr, 16)));
                break;
            case TskThemeKind::Integer:
                EXPECT_EQ(GetBuiltinThemeInt(style, row.element), text.toInt());
                break;
            case TskThemeKind::Flag:
                EXPECT_EQ(GetBuiltinThemeBool(style, row.element), text == QLatin1String("1"));
                break;
            case TskThemeKind::Picture:
                ADD_FAILURE() << "not a picture element";
                break;
            }
        }
    }
}

TEST(ThemeTable, PictureNamesFollowTheLookAndThePart) {
    for (const auto& [element, part] : PictureParts) {
        for (int look = 0; look < BuiltinStyleCount; ++look) {
            const bool shared = element == ScrollButtonImage && look >= DeepBlue - MacOS;
            const QString expected =
                shared ? QStringLiteral("MORE_SCROLLBUTTON")
                       : QStringLiteral("%1_%2").arg(QLatin1String(Prefixes[look]),
                                                     QLatin1String(part));
            EXPECT_EQ(QLatin1String(GetBuiltinThemeEntry(MacOS + look, element).pictureName),
                      expected);
        }
    }
}

TEST(ThemeTable, WalkEveryLookAndElement) {
    QSet<QString> keys;
    int pictureElements = 0;
    for (int element = 1; element <= ThemeElementCount; ++element) {
        const QString key = QLatin1String(ThemeElementKeyName(element));
        EXPECT_FALSE(key.isEmpty()) << element;
        keys.insert(key);
        const TskThemeKind kind = ThemeElementKind(element);
        pictureElements += kind == TskThemeKind::Picture ? 1 : 0;
        for (int style = MacOS; style <= BlueGlass; ++style) {
            const TskThemeEntry entry = GetBuiltinThemeEntry(style, element);
            SCOPED_TRACE(key.toStdString() + " of style " + std::to_string(style));
            EXPECT_EQ(entry.kind, kind);
            const std::string_view name(entry.pictureName);
            if (kind == TskThemeKind::Picture) {
                EXPECT_EQ(name.empty(), IsSkinFileOnly(element));
                EXPECT_EQ(entry.value, 0);
            } else {
                EXPECT_TRUE(name.empty());
            }
            if (kind == TskThemeKind::Flag) {
                EXPECT_TRUE(entry.value == 0 || entry.value == 1);
            }
            if (kind == TskThemeKind::Colour) {
                EXPECT_EQ(entry.value & 0xFF000000, 0);
            }
        }
    }
    EXPECT_EQ(keys.size(), ThemeElementCount);
    EXPECT_EQ(pictureElements, static_cast<int>(std::size(PictureParts)) + 3);
}

TEST(ThemeTable, KeyNamesAreTheIdentifiers) {
    EXPECT_STREQ(ThemeElementKeyName(ButtonImage), "ButtonImage");
    EXPECT_STREQ(ThemeElementKeyName(TitleBarButtonTopInt), "TitleBarButtonTopInt");
    EXPECT_STREQ(ThemeElementKeyName(ScrollBarSliderImage), "ScrollBarSliderImage");
    EXPECT_STREQ(ThemeElementKeyName(TitleBarFontColor), "TitleBarFontColor");
    EXPECT_STREQ(ThemeElementKeyName(MenuMenuBarColor), "MenuMenuBarColor");
    EXPECT_EQ(ButtonImage, 1);
    EXPECT_EQ(ScrollButtonImage, 38);
    EXPECT_EQ(TitleBarFontColor, 44);
    EXPECT_EQ(MenuMenuBarColor, 48);
    EXPECT_STREQ(ThemeElementKeyName(0), "");
    EXPECT_STREQ(ThemeElementKeyName(49), "");
}

// A component that publishes a look, as the skinned controls do.
class StyledThing : public QObject {
    Q_OBJECT
    Q_PROPERTY(TskUIStyle UIStyle READ uiStyle WRITE setUIStyle)
public:
    TskUIStyle uiStyle() const { return style_; }
    void setUIStyle(TskUIStyle style) { style_ = style; }

private:
    TskUIStyle style_ = DeepBlue;
};

TEST(ThemeTable, LooksAreSetByTheirNames) {
    static_assert(sizeof(TskUIStyle) == 1);
    const QMetaEnum looks = QMetaEnum::fromType<TskUIStyle>();
    EXPECT_EQ(looks.keyCount(), 6);
    EXPECT_EQ(looks.keyToValue("FromThemeFile"), 0);
    EXPECT_EQ(looks.keyToValue("BlueGlass"), 5);
    EXPECT_STREQ(looks.valueToKey(Protein), "Protein");

    StyledThing thing;
    EXPECT_TRUE(thing.setProperty("UIStyle", QStringLiteral("WinXP")));
    EXPECT_EQ(thing.uiStyle(), WinXP);
    EXPECT_EQ(thing.property("UIStyle").toString(), QStringLiteral("WinXP"));
}

} // namespace

#include "ThemeTableTest.moc"
