#include "framework/graphics/Colors.h"

#include <array>

namespace {

// One fixed scheme for the system colours: a light-grey face, white windows, navy
// selection. Indexed by the system colour number.
constexpr std::array<TColor, 31> kSystemColors = {
    RGB(0xD4, 0xD0, 0xC8), // scroll bar
    RGB(0x3A, 0x6E, 0xA5), // desktop background
    RGB(0x0A, 0x24, 0x6A), // active caption
    RGB(0x80, 0x80, 0x80), // inactive caption
    RGB(0xD4, 0xD0, 0xC8), // menu
    RGB(0xFF, 0xFF, 0xFF), // window
    RGB(0x00, 0x00, 0x00), // window frame
    RGB(0x00, 0x00, 0x00), // menu text
    RGB(0x00, 0x00, 0x00), // window text
    RGB(0xFF, 0xFF, 0xFF), // caption text
    RGB(0xD4, 0xD0, 0xC8), // active border
    RGB(0xD4, 0xD0, 0xC8), // inactive border
    RGB(0x80, 0x80, 0x80), // application workspace
    RGB(0x0A, 0x24, 0x6A), // highlight
    RGB(0xFF, 0xFF, 0xFF), // highlight text
    RGB(0xD4, 0xD0, 0xC8), // button face
    RGB(0x80, 0x80, 0x80), // button shadow
    RGB(0x80, 0x80, 0x80), // grey text
    RGB(0x00, 0x00, 0x00), // button text
    RGB(0xD4, 0xD0, 0xC8), // inactive caption text
    RGB(0xFF, 0xFF, 0xFF), // button highlight
    RGB(0x40, 0x40, 0x40), // 3D dark shadow
    RGB(0xD4, 0xD0, 0xC8), // 3D light
    RGB(0x00, 0x00, 0x00), // info text
    RGB(0xFF, 0xFF, 0xE1), // info background
    RGB(0xB5, 0xB5, 0xB5), // unused slot
    RGB(0x00, 0x00, 0x80), // hot light
    RGB(0xA6, 0xCA, 0xF0), // gradient active caption
    RGB(0xC0, 0xC0, 0xC0), // gradient inactive caption
    RGB(0x0A, 0x24, 0x6A), // menu highlight
    RGB(0xD4, 0xD0, 0xC8), // menu bar
};

struct ColorName {
    TColor color;
    const char* name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
};

} // namespace

TColor ColorToRGB(TColor color) {
    if (color >= 0) {
        return color;
    }
    const unsigned index = static_cast<unsigned>(color) & 0xFFu;
    return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
}

QRgb ColorToQRgb(TColor color) {
    TColor resolved = ColorToRGB(color);
    if (resolved == clNone || resolved == clDefault) {
        resolved = clBlack;
    }
    return qRgb(GetRValue(resolved), GetGValue(resolved), GetBValue(resolved));
}

QColor ColorToQColor(TColor color) {
    return QColor(ColorToQRgb(color));
}

TColor QRgbToColor(QRgb rgb) {
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

TColor QColorToColor(const QColor& color) {
    return QRgbToColor(color.rgb());
}

bool IdentToColor(const QString& text, TColor& color) {
    for (const ColorName& entry : kColorNames) {
        if (text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            color = entry.color;
            return true;
        }
    }
    bool ok = false;
    const qlonglong value = text.startsWith(QLatin1Char('$')) ? text.mid(1).toLongLong(&ok, 16)
                                                              : text.toLongLong(&ok, 10);
    if (!ok || value < INT32_MIN || value > UINT32_MAX) {
        return false;
    }
    color = static_cast<TColor>(static_cast<std::uint32_t>(value));
    return true;
}

QString ColorToString(TColor color) {
    for (const ColorName& entry : kColorNames) {
        if (entry.color == color) {
            return QLatin1String(entry.name);
        }
    }
    return QLatin1Char('$') + QString::number(static_cast<std::uint32_t>(color), 16)
                                  .rightJustified(8, QLatin1Char('0'))
                                  .toUpper();
}
