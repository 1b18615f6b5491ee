// List views filled for tests of their frame and scrolling.
#pragma once

#include "framework/controls/ComCtrls.h"
#include "framework/controls/ListViewModel.h"

#include <QString>
#include <QStringList>

// One column, "Name", and rows rows captioned "row".
inline void AddNamedRows(TCustomListView& list, int rows) {
    list.Columns()->Add()->SetCaption(QStringLiteral("Name"));
    for (int i = 0; i < rows; ++i) {
        list.Items()->Add()->SetCaption(QStringLiteral("row"));
    }
}

// The captions in the order the view shows them.
inline QStringList ShownCaptions(const TCustomListView* list) {
    QStringList captions;
    const TListViewModel* model = list->Model();
    for (int row = 0; row < model->rowCount(); ++row) {
        captions.append(model->index(row, 0).data().toString());
    }
    return captions;
}
