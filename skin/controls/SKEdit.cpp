#include "skin/controls/SKEdit.h"

#include "skin/core/SKDraw.h"
#include "skin/core/SKPictureCache.h"

TskEdit::TskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBorderStyle(TCustomPanel::bsNone);
    SetBorderWidth(SkinControlBorderWidth);
    SetTabStop(true);
    SetUIStyle(GetFormUIStyle(AOwner));
}

void TskEdit::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

void TskEdit::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    FBorderColor = ThemeColor(FileTheme(), style, ControlBorderColor);
    StyleChanged();
    Invalidate();
}

void TskEdit::SetBorderColor(TColor color) {
    FBorderColor = color;
    Invalidate();
}

void TskEdit::WMNCPaint(TMessage& message) {
    TCustomEdit::WMNCPaint(message);
    // The frame is painted after the edit's own painting, so the border lies over it.
    if (message.WParam != 0) {
        DrawControlBorder(reinterpret_cast<TCanvas*>(message.WParam), this, FBorderColor, Color(),
                          true);
    }
}
