// Where the title bar's buttons, control box and caption go: one pure function that
// painting and the mouse handlers both use, so what is drawn is what is clicked.
#pragma once

#include "framework/graphics/Types.h"

#include <QList>
#include <QString>
#include <functional>

struct TskTitleButtonSlot {
    bool Visible = true;
    bool ControlBox = false;
    int Width = 0;
    int Height = 0;
};

struct TskTitleBarLayoutInput {
    int BarWidth = 0;
    // The host's answer to the side-border-width message.
    int Side = 0;
    int RightBtnXOffset = 0;
    int LeftBtnXOffset = 0;
    int ButtonInterval = 0;
    int ButtonRowTop = 0;
    int ButtonRowHeight = 0;
    bool DrawAppIcon = false;
    // Right-to-left reading on a Middle-East system: the caption ends at the buttons.
    bool CaptionFromRight = false;
    QList<TskTitleButtonSlot> Buttons;
    TPoint Cursor;
    QString Caption;
    std::function<int(const QString&)> TextWidth;
    int TextHeight = 0;
};

struct TskTitleBarLayout {
    // Per button index; invisible buttons and the control box get an empty rectangle
    // here (the control box has its own).
    QList<TRect> ButtonRects;
    int ControlBoxIndex = -1;
    TRect ControlBoxRect;
    // Where the control box picture (one pixel above the row) or the icon is drawn.
    TPoint ControlBoxDrawAt;
    int HotIndex = -1;
    // Left edge of the leftmost right-hand button (the bar's right end without one).
    int RowLeft = 0;
    QString CaptionText;
    TPoint CaptionAt;
};

inline constexpr int AppIconSize = 16;

TskTitleBarLayout LayoutTitleBar(const TskTitleBarLayoutInput& input);

// The caption shortened to room pixels: whole when it fits, otherwise as many leading
// characters as fit before "...", and empty when not even "..." fits.
QString EllipsizeCaption(const QString& caption, int room,
                         const std::function<int(const QString&)>& textWidth);
