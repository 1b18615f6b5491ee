#include "resources/themepaint/Looks.h"

namespace themepaint {

namespace {

QColor Hex(unsigned rgb) {
    return QColor::fromRgb(rgb);
}

Look MacOSLook() {
    Look look{};
    look.prefix = "MACOS";
    look.name = "MacOS";
    look.surface = Hex(0xEFEFEF);
    look.border = Hex(0x7F7F7F);
    look.buttonFace = Hex(0xDCDCDC);
    look.buttonHot = Hex(0x8FBCF2);
    look.buttonPressed = Hex(0x5A95E6);
    look.buttonOutline = Hex(0x8A8A8A);
    look.buttonHotOutline = Hex(0x4A76B4);
    look.buttonRadius = 8;
    look.buttonGloss = true;
    look.buttonKeyed = true;
    look.accent = Hex(0x3F86E0);
    look.mark = Hex(0xFFFFFF);
    look.boxFace = Hex(0xF6F6F6);
    look.titleTop = Hex(0xF2F2F2);
    look.titleBottom = Hex(0xCBCBCB);
    look.titleLine = Hex(0x8C8C8C);
    look.titlePinstripes = true;
    look.titleGlyph = Hex(0x4D0000);
    look.titleButtonShape = TitleButtonShape::Sphere;
    look.titleButtonFace = Hex(0x9AA6B4);
    look.titleCloseFace = Hex(0xE0443E);
    look.titleButtonKeyed = false;
    look.titleButtonTop = 4;
    look.track = Hex(0xC9C9C9);
    look.tabActive = Hex(0xFFFFFF);
    look.tabInactive = Hex(0xD6D6D6);
    look.tabLine = Hex(0xE7E7E7);
    look.titleMinimizeFace = Hex(0xF2B43A);
    look.titleMaximizeFace = Hex(0x62BE45);
    look.tabMark = look.accent;
    look.scrollFace = look.buttonFace;
    look.sizes = {{84, 23}, {15, 17}, {16, 17}, 17,       {48, 23}, {49, 23}, {48, 23},
                  {45, 5},  {11, 20}, {19, 11}, {16, 22}, {33, 16}, {18, 18}, {18, 27},
                  {17, 7},  {13, 10}, {10, 11}, {7, 84},  {1, 21}};
    return look;
}

Look WinXPLook() {
    Look look{};
    look.prefix = "WINXP";
    look.name = "WinXP";
    look.surface = Hex(0xEFEBDE);
    look.border = Hex(0x003C74);
    look.buttonFace = Hex(0xF4F3EE);
    look.buttonHot = Hex(0xFDFCF8);
    look.buttonPressed = Hex(0xE3E2DA);
    look.buttonOutline = Hex(0x003C74);
    look.buttonHotOutline = Hex(0xE89A1C);
    look.buttonRadius = 3;
    look.buttonGloss = false;
    look.buttonKeyed = false;
    look.accent = Hex(0x21A121);
    look.mark = Hex(0x21A121);
    look.boxFace = Hex(0xFFFFFF);
    look.titleTop = Hex(0x3A8CFF);
    look.titleBottom = Hex(0x0050E0);
    look.titleLine = Hex(0x0039B5);
    look.titlePinstripes = false;
    look.titleGlyph = Hex(0xFFFFFF);
    look.titleButtonShape = TitleButtonShape::Square;
    look.titleButtonFace = Hex(0x2D74F2);
    look.titleCloseFace = Hex(0xDC5530);
    look.titleButtonKeyed = false;
    look.titleButtonTop = 5;
    look.track = Hex(0xF9F9F9);
    look.tabActive = Hex(0xFCFCFE);
    look.tabInactive = Hex(0xE8E6DA);
    look.tabLine = Hex(0xEFEBDE);
    look.titleMinimizeFace = look.titleButtonFace;
    look.titleMaximizeFace = look.titleButtonFace;
    look.tabMark = Hex(0xF5B423);
    look.scrollFace = Hex(0xC8D8FA);
    look.sizes = {{18, 21}, {13, 13}, {13, 13}, 21,       {35, 29}, {37, 29}, {35, 29},
                  {45, 8},  {11, 21}, {22, 11}, {16, 17}, {21, 16}, {18, 18}, {9, 18},
                  {8, 1},   {6, 10},  {11, 11}, {8, 86},  {1, 21}};
    return look;
}

Look DeepBlueLook() {
    Look look{};
    look.prefix = "DEEPBLUE";
    look.name = "DeepBlue";
    look.surface = Hex(0xE8E8E8);
    look.border = Hex(0x1A2350);
    look.buttonFace = Hex(0xB4C1E8);
    look.buttonHot = Hex(0xCAD5F3);
    look.buttonPressed = Hex(0x8C9FD6);
    look.buttonOutline = Hex(0x1A2350);
    look.buttonHotOutline = Hex(0x444AA0);
    look.buttonRadius = 2;
    look.buttonGloss = false;
    look.buttonKeyed = false;
    look.accent = Hex(0x2C3778);
    look.mark = Hex(0x1A2350);
    look.boxFace = Hex(0xFFFFFF);
    look.titleTop = Hex(0x34457F);
    look.titleBottom = Hex(0x0E1738);
    look.titleLine = Hex(0x060B1E);
    look.titlePinstripes = false;
    look.titleGlyph = Hex(0xD8E0FF);
    look.titleButtonShape = TitleButtonShape::Square;
    look.titleButtonFace = Hex(0x25336A);
    look.titleCloseFace = Hex(0x8E2432);
    look.titleButtonKeyed = false;
    look.titleButtonTop = 2;
    look.track = Hex(0xF5F5F5);
    look.tabActive = Hex(0xF4F4F4);
    look.tabInactive = Hex(0xA9B6DE);
    look.tabLine = Hex(0xE8E8E8);
    look.titleMinimizeFace = look.titleButtonFace;
    look.titleMaximizeFace = look.titleButtonFace;
    look.tabMark = look.accent;
    look.scrollFace = look.buttonFace;
    look.sizes = {{74, 21}, {13, 13}, {13, 13}, 19,       {97, 32}, {98, 32}, {97, 32},
                  {45, 4},  {11, 20}, {18, 11}, {16, 16}, {21, 16}, {18, 17}, {6, 17},
                  {5, 5},   {1, 10},  {11, 11}, {8, 83},  {1, 20}};
    return look;
}

Look ProteinLook() {
    Look look{};
    look.prefix = "PROTEIN";
    look.name = "Protein";
    look.surface = Hex(0xFBFBFB);
    look.border = Hex(0x8D9AAF);
    look.buttonFace = Hex(0xF1F4F8);
    look.buttonHot = Hex(0xFFFFFF);
    look.buttonPressed = Hex(0xD6DEEA);
    look.buttonOutline = Hex(0x8D9AAF);
    look.buttonHotOutline = Hex(0x5B8FD6);
    look.buttonRadius = 3;
    look.buttonGloss = false;
    look.buttonKeyed = false;
    look.accent = Hex(0x4A7FC8);
    look.mark = Hex(0x2D4F86);
    look.boxFace = Hex(0xFFFFFF);
    look.titleTop = Hex(0x7E9CC8);
    look.titleBottom = Hex(0x4F6E9E);
    look.titleLine = Hex(0x3D5580);
    look.titlePinstripes = false;
    look.titleGlyph = Hex(0x33496E);
    look.titleButtonShape = TitleButtonShape::Sphere;
    look.titleButtonFace = Hex(0xDCE5F2);
    look.titleCloseFace = Hex(0xF2D4D0);
    look.titleButtonKeyed = true;
    look.titleButtonTop = 2;
    look.track = Hex(0xF5F5F5);
    look.tabActive = Hex(0xFFFFFF);
    look.tabInactive = Hex(0xE4E9F1);
    look.tabLine = Hex(0xFBFBFB);
    look.titleMinimizeFace = look.titleButtonFace;
    look.titleMaximizeFace = look.titleButtonFace;
    look.tabMark = look.accent;
    look.scrollFace = Hex(0xC2D1E8);
    look.sizes = {{74, 21}, {13, 13}, {13, 13}, 19,       {441, 23}, {1, 23},  {1, 23},
                  {45, 4},  {11, 20}, {18, 11}, {16, 16}, {21, 16},  {18, 17}, {9, 17},
                  {10, 5},  {1, 10},  {11, 11}, {8, 83},  {1, 21}};
    return look;
}

Look BlueGlassLook() {
    Look look{};
    look.prefix = "BLUEGLASS";
    look.name = "BlueGlass";
    look.surface = Hex(0xE7E7E7);
    look.border = Hex(0x3C64A0);
    look.buttonFace = Hex(0xA9C8EE);
    look.buttonHot = Hex(0xC3DBF8);
    look.buttonPressed = Hex(0x6F9FDC);
    look.buttonOutline = Hex(0x4470AE);
    look.buttonHotOutline = Hex(0x2F5C9E);
    look.buttonRadius = 9;
    look.buttonGloss = true;
    look.buttonKeyed = true;
    look.accent = Hex(0x4C8BE0);
    look.mark = Hex(0xFFFFFF);
    look.boxFace = Hex(0xEEF4FC);
    look.titleTop = Hex(0x4584DA);
    look.titleBottom = Hex(0x1F56AE);
    look.titleLine = Hex(0x1D4A92);
    look.titlePinstripes = false;
    look.titleGlyph = Hex(0xFFFFFF);
    look.titleButtonShape = TitleButtonShape::Sphere;
    look.titleButtonFace = Hex(0x5C95E2);
    look.titleCloseFace = Hex(0xD9483B);
    look.titleButtonKeyed = true;
    look.titleButtonTop = 6;
    look.track = Hex(0xF4F4F4);
    look.tabActive = Hex(0xF6FAFF);
    look.tabInactive = Hex(0xBCD4F2);
    look.tabLine = Hex(0xE7E7E7);
    look.titleMinimizeFace = look.titleButtonFace;
    look.titleMaximizeFace = look.titleButtonFace;
    look.tabMark = look.accent;
    look.scrollFace = look.buttonFace;
    look.sizes = {{77, 27}, {13, 13}, {13, 13}, 19,       {162, 33}, {179, 33}, {101, 33},
                  {45, 4},  {11, 20}, {18, 11}, {17, 16}, {21, 16},  {18, 17},  {9, 17},
                  {10, 5},  {1, 10},  {11, 11}, {8, 86},  {1, 21}};
    return look;
}

} // namespace

const std::array<Look, 5>& Looks() {
    static const std::array<Look, 5> looks{MacOSLook(), WinXPLook(), DeepBlueLook(), ProteinLook(),
                                           BlueGlassLook()};
    return looks;
}

} // namespace themepaint
