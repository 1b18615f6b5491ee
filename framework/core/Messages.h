#pragma once

#include <QEvent>
#include <cstdint>

// Window messages: Win32 numbers where Win32 has the message, the framework's own
// component messages above CM_BASE. Any other number (a private message such as 0x26C3)
// travels through Perform and WndProc like the named ones.
struct TMessage {
    uint32_t Msg = 0;
    intptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
    // The Qt event this message was made from, if any: DefaultHandler gives it to the
    // widget's own event handling, so a native widget keeps working behind the messages.
    QEvent* Event = nullptr;
};

constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_KILLFOCUS = 0x0008;
constexpr uint32_t WM_ENABLE = 0x000A;
constexpr uint32_t WM_SETTEXT = 0x000C;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_ERASEBKGND = 0x0014;
constexpr uint32_t WM_SHOWWINDOW = 0x0018;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_GETMINMAXINFO = 0x0024;
constexpr uint32_t WM_CONTEXTMENU = 0x007B;
constexpr uint32_t WM_WINDOWPOSCHANGED = 0x0047;
constexpr uint32_t WM_NCCALCSIZE = 0x0083;
constexpr uint32_t WM_NCHITTEST = 0x0084;
constexpr uint32_t WM_NCPAINT = 0x0085;
constexpr uint32_t WM_NCACTIVATE = 0x0086;
constexpr uint32_t WM_GETDLGCODE = 0x0087;
constexpr uint32_t WM_NCMOUSEMOVE = 0x00A0;
constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
constexpr uint32_t WM_NCLBUTTONUP = 0x00A2;
constexpr uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr uint32_t WM_NCRBUTTONDOWN = 0x00A4;
constexpr uint32_t WM_NCRBUTTONUP = 0x00A5;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCHAR = 0x0106;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_HSCROLL = 0x0114;
constexpr uint32_t WM_VSCROLL = 0x0115;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_CAPTURECHANGED = 0x0215;
constexpr uint32_t WM_USER = 0x0400;

// WM_SYSCOMMAND commands.
constexpr intptr_t SC_SIZE = 0xF000;
constexpr intptr_t SC_MOVE = 0xF010;
constexpr intptr_t SC_MINIMIZE = 0xF020;
constexpr intptr_t SC_MAXIMIZE = 0xF030;
constexpr intptr_t SC_CLOSE = 0xF060;
constexpr intptr_t SC_RESTORE = 0xF120;

// WM_NCHITTEST results.
constexpr intptr_t HTNOWHERE = 0;
constexpr intptr_t HTCLIENT = 1;
constexpr intptr_t HTCAPTION = 2;
constexpr intptr_t HTSYSMENU = 3;
constexpr intptr_t HTMINBUTTON = 8;
constexpr intptr_t HTMAXBUTTON = 9;
constexpr intptr_t HTLEFT = 10;
constexpr intptr_t HTRIGHT = 11;
constexpr intptr_t HTTOP = 12;
constexpr intptr_t HTTOPLEFT = 13;
constexpr intptr_t HTTOPRIGHT = 14;
constexpr intptr_t HTBOTTOM = 15;
constexpr intptr_t HTBOTTOMLEFT = 16;
constexpr intptr_t HTBOTTOMRIGHT = 17;
constexpr intptr_t HTBORDER = 18;
constexpr intptr_t HTCLOSE = 20;

// WM_ACTIVATE states.
constexpr intptr_t WA_INACTIVE = 0;
constexpr intptr_t WA_ACTIVE = 1;

// WM_SIZE kinds.
constexpr intptr_t SIZE_RESTORED = 0;
constexpr intptr_t SIZE_MINIMIZED = 1;
constexpr intptr_t SIZE_MAXIMIZED = 2;

// WM_GETDLGCODE answers.
constexpr intptr_t DLGC_WANTARROWS = 0x0001;
constexpr intptr_t DLGC_WANTTAB = 0x0002;
constexpr intptr_t DLGC_WANTALLKEYS = 0x0004;
constexpr intptr_t DLGC_WANTCHARS = 0x0080;

// Mouse key state in the WParam of mouse messages.
constexpr intptr_t MK_LBUTTON = 0x0001;
constexpr intptr_t MK_RBUTTON = 0x0002;
constexpr intptr_t MK_SHIFT = 0x0004;
constexpr intptr_t MK_CONTROL = 0x0008;
constexpr intptr_t MK_MBUTTON = 0x0010;

// Virtual key codes used by the framework.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;
constexpr int VK_F10 = 0x79;

// Component messages.
constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;
constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 7;
constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr uint32_t CM_COLORCHANGED = CM_BASE + 13;
constexpr uint32_t CM_FONTCHANGED = CM_BASE + 14;
constexpr uint32_t CM_CURSORCHANGED = CM_BASE + 15;
constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
constexpr uint32_t CM_MENUCHANGED = CM_BASE + 21;
constexpr uint32_t CM_APPKEYDOWN = CM_BASE + 22;
constexpr uint32_t CM_BUTTONPRESSED = CM_BASE + 24;
constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr uint32_t CM_ENTER = CM_BASE + 26;
constexpr uint32_t CM_EXIT = CM_BASE + 27;
constexpr uint32_t CM_DESIGNHITTEST = CM_BASE + 28;
constexpr uint32_t CM_ICONCHANGED = CM_BASE + 29;
constexpr uint32_t CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr uint32_t CM_DIALOGKEY = CM_BASE + 32;
constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 33;
constexpr uint32_t CM_CONTROLLISTCHANGE = CM_BASE + 36;
constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 43;
constexpr uint32_t CM_PARENTSHOWHINTCHANGED = CM_BASE + 46;
constexpr uint32_t CM_SYSCOLORCHANGE = CM_BASE + 47;
constexpr uint32_t CM_BORDERCHANGED = CM_BASE + 59;
constexpr uint32_t CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr uint32_t CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr uint32_t CM_CONTROLCHANGE = CM_BASE + 54;
constexpr uint32_t CM_MOUSEWHEEL = CM_BASE + 67;
// The parent of a control changed (LParam: the new parent or null).
constexpr uint32_t CM_PARENTCHANGED = CM_BASE + 70;

inline intptr_t MakeLParam(int low, int high) {
    return static_cast<intptr_t>((static_cast<uint32_t>(high & 0xFFFF) << 16) |
                                 static_cast<uint32_t>(low & 0xFFFF));
}
inline int LParamX(intptr_t lparam) {
    return static_cast<int16_t>(lparam & 0xFFFF);
}
inline int LParamY(intptr_t lparam) {
    return static_cast<int16_t>((lparam >> 16) & 0xFFFF);
}
