#include "framework/controls/Control.h"
#include "framework/controls/ControlPrivate.h"

#include <algorithm>

using namespace control_private;

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) {
        return;
    }
    const bool wasAligned = FAlign != alNone;
    FAlign = align;
    if (FParent != nullptr && (wasAligned || align != alNone)) {
        FParent->Realign(this);
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width();
    const int oldHeight = Height();
    TControl::SetBounds(left, top, width, height);
    if (Width() != oldWidth || Height() != oldHeight) {
        RecreateFrame();
    }
}

void TWinControl::Realign(TControl* changed) {
    if (FAlignDisabled > 0 || IsLoading()) {
        FRealignPending = true;
        return;
    }
    if (FAligning) {
        return;
    }
    FAligning = true;
    FRealignPending = false;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(changed, rect);
    FAligning = false;
}

void TWinControl::EnableAlign() {
    if (FAlignDisabled > 0 && --FAlignDisabled == 0 && FRealignPending) {
        Realign();
    }
}

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::AlignControls(TControl* changed, TRect& rect) {
    for (const TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        QList<TControl*> group;
        for (TControl* control : FControls) {
            if (control->Align() == align && control->Visible()) {
                group.append(control);
            }
        }
        // Within a group the one nearest its edge comes first; on a tie the control
        // just moved or aligned goes before the others.
        const auto edge = [align](const TControl* c) {
            switch (align) {
            case alTop:
                return c->Top();
            case alBottom:
                return -(c->Top() + c->Height());
            case alLeft:
                return c->Left();
            case alRight:
                return -(c->Left() + c->Width());
            default:
                return 0;
            }
        };
        std::stable_sort(group.begin(), group.end(),
                         [&edge, changed](const TControl* a, const TControl* b) {
                             const int ea = edge(a);
                             const int eb = edge(b);
                             return ea < eb || (ea == eb && a == changed && b != changed);
                         });
        for (TControl* control : group) {
            const int width = std::max(0, rect.Width());
            const int height = std::max(0, rect.Height());
            switch (align) {
            case alTop:
                control->SetBounds(rect.Left, rect.Top, width, control->Height());
                rect.Top += control->Height();
                break;
            case alBottom:
                control->SetBounds(rect.Left, rect.Bottom - control->Height(), width,
                                   control->Height());
                rect.Bottom -= control->Height();
                break;
            case alLeft:
                control->SetBounds(rect.Left, rect.Top, control->Width(), height);
                rect.Left += control->Width();
                break;
            case alRight:
                control->SetBounds(rect.Right - control->Width(), rect.Top, control->Width(),
                                   height);
                rect.Right -= control->Width();
                break;
            default:
                control->SetBounds(rect.Left, rect.Top, width, height);
                break;
            }
        }
    }
}
