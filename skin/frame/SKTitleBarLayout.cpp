#include "skin/frame/SKTitleBarLayout.h"

#include "skin/core/SKDraw.h"

namespace {

constexpr int ButtonGap = 1;
constexpr int AppIconInset = 3;
constexpr int AppIconAdvance = 21;
constexpr int ControlBoxGap = 5;
constexpr int CaptionLeftWithoutBox = 6;
constexpr int RightToLeftCaptionGap = 10;

} // namespace

QString EllipsizeCaption(const QString& caption, int room,
                         const std::function<int(const QString&)>& textWidth) {
    if (textWidth(caption) <= room) {
        return caption;
    }
    const QString dots = QStringLiteral("...");
    QString kept = caption;
    while (!kept.isEmpty()) {
        kept.chop(1);
        if (textWidth(kept + dots) <= room) {
            return kept + dots;
        }
    }
    return textWidth(dots) <= room ? dots : QString();
}

TskTitleBarLayout LayoutTitleBar(const TskTitleBarLayoutInput& input) {
    TskTitleBarLayout layout;
    layout.ButtonRects.resize(input.Buttons.size());
    int x = input.BarWidth + input.RightBtnXOffset + input.Side;
    for (int i = 0; i < input.Buttons.size(); ++i) {
        const TskTitleButtonSlot& button = input.Buttons[i];
        if (!button.Visible) {
            continue;
        }
        if (button.ControlBox) {
            layout.ControlBoxIndex = i;
            continue;
        }
        x -= button.Width + input.ButtonInterval + ButtonGap;
        if (input.BarWidth < button.Width + x + ButtonGap) {
            x = input.BarWidth - button.Width - ButtonGap;
        }
        const TRect rect = Bounds(x, input.ButtonRowTop, button.Width, button.Height);
        layout.ButtonRects[i] = rect;
        if (PointInRect(input.Cursor, rect)) {
            layout.HotIndex = i;
        }
    }
    layout.RowLeft = x;

    int left = std::max(0, input.LeftBtnXOffset - input.Side + 1);
    if (layout.ControlBoxIndex >= 0) {
        const TskTitleButtonSlot& box = input.Buttons[layout.ControlBoxIndex];
        layout.ControlBoxRect = Bounds(left, input.ButtonRowTop, box.Width, box.Height);
        if (PointInRect(input.Cursor, layout.ControlBoxRect)) {
            layout.HotIndex = layout.ControlBoxIndex;
        }
        if (input.DrawAppIcon) {
            layout.ControlBoxDrawAt = Point(left + AppIconInset, input.ButtonRowTop);
            left += AppIconAdvance;
        } else {
            layout.ControlBoxDrawAt = Point(left, input.ButtonRowTop - 1);
            left += box.Width + ControlBoxGap;
        }
    }
    if (left == 0) {
        left = CaptionLeftWithoutBox;
    }
    layout.CaptionText = EllipsizeCaption(input.Caption, x - left, input.TextWidth);
    const int y = input.ButtonRowTop + (input.ButtonRowHeight - input.TextHeight) / 2;
    const int captionX = input.CaptionFromRight
                             ? x - input.TextWidth(layout.CaptionText) - RightToLeftCaptionGap
                             : left;
    layout.CaptionAt = Point(captionX, y);
    return layout;
}
