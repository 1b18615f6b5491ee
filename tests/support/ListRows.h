// List views filled for tests of their frame and scrolling.
#pragma once

#include "framework/controls/ComCtrls.h"

#include <QString>

// One column, "Name", and rows rows captioned "row".
inline void AddNamedRows(TCustomListView& list, int rows) {
    list.Columns()->Add()->SetCaption(QStringLiteral("Name"));
    for (int i = 0; i < rows; ++i) {
        list.Items()->Add()->SetCaption(QStringLiteral("row"));
    }
}
