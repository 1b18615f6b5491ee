// The five built-in looks as data: colours, radii and picture sizes. Every drawing
// function of the painter takes one of these instead of knowing the looks itself.
#pragma once

#include <QColor>
#include <QSize>
#include <array>

namespace themepaint {

enum class TitleButtonShape { Sphere, Square };

struct PictureSizes {
    QSize button, checkBox, radioButton;
    int titleButton = 17;
    QSize titleLeft, titleClient, titleRight;
    QSize groove, slider, sliderVertical;
    QSize scrollArrows, scrollThumb, tabScroll;
    QSize tab, tabLine;
    QSize progress, checkList, sideHandle, sideBar;
};

struct Look {
    const char* prefix; // resource name prefix: "MACOS"
    const char* name;   // the look's name as users see it
    QColor surface;     // what controls are drawn over
    QColor border;      // outlines of controls

    QColor buttonFace, buttonHot, buttonPressed;
    QColor buttonOutline, buttonHotOutline;
    qreal buttonRadius;
    bool buttonGloss; // gel shading instead of a soft gradient
    bool buttonKeyed; // the push button is drawn with magenta corners

    QColor accent;  // checked boxes, thumbs, the active tab's mark
    QColor mark;    // check marks and radio dots
    QColor boxFace; // unchecked box face

    QColor titleTop, titleBottom, titleLine;
    bool titlePinstripes;
    QColor titleGlyph; // glyph colour on title buttons
    TitleButtonShape titleButtonShape;
    QColor titleButtonFace, titleMinimizeFace, titleMaximizeFace, titleCloseFace;
    bool titleButtonKeyed; // title glyphs are drawn keyed by their bottom-left pixel
    int titleButtonTop;    // row of the title picture behind the glyph row

    QColor track;      // scroll bar background
    QColor scrollFace; // scroll arrows and thumb of the looks without gel shading
    QColor tabActive, tabInactive;
    QColor tabLine; // body of the line under the tabs: the page colour
    QColor tabMark; // stripe along the top of the active tab

    PictureSizes sizes;
};

const std::array<Look, 5>& Looks();

} // namespace themepaint
