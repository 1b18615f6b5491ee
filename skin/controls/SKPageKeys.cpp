// The desktop's keys for turning the pages of a tabbed window.
#include "framework/forms/Form.h"
#include "skin/controls/SKPageControl.h"

void TskPageControl::CMDialogKey(TMessage& message) {
    const auto shift = TShiftState::fromInt(static_cast<int>(message.LParam));
    if (IsPageKey(static_cast<int>(message.WParam), shift) && TakesPageKeys() && PageCount() > 0) {
        SelectNextPage(message.WParam == VK_NEXT ||
                       (message.WParam == VK_TAB && !shift.testFlag(ssShift)));
        message.Result = 1;
        return;
    }
    TskTab::CMDialogKey(message);
}

bool TskPageControl::TakesPageKeys() const {
    const TCustomForm* form = GetParentForm();
    for (const TControl* control = form != nullptr ? form->ActiveControl() : nullptr;
         control != nullptr; control = control->Parent()) {
        if (control == this) {
            return true;
        }
        if (qobject_cast<const TskPageControl*>(control) != nullptr) {
            return false;
        }
    }
    return true;
}

void TskPageControl::SelectNextPage(bool forward) {
    const int count = PageCount();
    const int current = FActivePage != nullptr ? FActivePage->PageIndex() : (forward ? -1 : 0);
    for (int step = 1; step <= count; ++step) {
        TskTabSheet* sheet =
            FPages.at(((current + (forward ? step : -step)) % count + count) % count);
        if (!sheet->TabVisible()) {
            continue;
        }
        ActivatePage(sheet);
        if (TWinControl* first = sheet->FindNextControl(nullptr, true, true, false)) {
            first->SetFocus();
        }
        return;
    }
}
