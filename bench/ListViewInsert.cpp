// Adds rows one by one to a report list, the way the file digest page does (a row, the
// pending messages, its digest, the pending messages again), to the plain framework
// list view and to the skinned one with both painted bars linked, taking turns row by
// row so both meet the same machine load, and prints the time per row and their ratio.
// Then drags the painted thumb across the whole list and compares a step with a step
// of the plain list's own bar.
// Usage: sumwarden-listview-bench [ROWS]   (default 10000; the view lays every row out
// again after each insertion, so the time per row grows with ROWS in both lists)

#include "framework/controls/ListViewRows.h"
#include "framework/core/Application.h"
#include "framework/forms/Form.h"
#include "skin/controls/SKListView.h"

#include <QApplication>
#include <QScrollBar>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PrepareColumns(TCustomListView* list, int top) {
    list->SetBounds(8, top, 490, 200);
    list->SetViewStyle(TCustomListView::vsReport);
    list->SetGridLines(true);
    list->Columns()->Add()->SetWidth(235);
    list->Columns()->Add()->SetWidth(230);
}

// Adds one row as the file digest page does; returns the seconds it took.
double SecondsToAddRow(TCustomListView* list, int index) {
    const auto start = std::chrono::steady_clock::now();
    TListItem* row = list->Items()->Add();
    row->SetCaption(QStringLiteral("/home/user/photos/img_%1.jpg").arg(index));
    QApplication::processEvents();
    row->SubItems()->Add(QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    QApplication::processEvents();
    return SecondsSince(start);
}

// Moves the position from top to bottom in steps of a tenth of a page, as a
// pointer dragging the thumb does, and returns the seconds per step.
template <class Move>
double SecondsPerStep(int last, int step, Move move) {
    int steps = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int position = 0; position <= last; position += step) {
        move(position);
        QApplication::processEvents();
        ++steps;
    }
    return SecondsSince(start) / std::max(1, steps);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;

    TForm form(nullptr);
    form.SetBounds(0, 0, 520, 460);
    form.Show();

    auto* plain = new TListView(&form);
    plain->SetParent(&form);
    PrepareColumns(plain, 8);
    auto* skinned = new TskListView(&form);
    skinned->SetParent(&form);
    PrepareColumns(skinned, 224);
    auto* vertical = new TskScrollBar(&form);
    vertical->SetParent(&form);
    auto* horizontal = new TskScrollBar(&form);
    horizontal->SetParent(&form);
    skinned->SetVScrollBar(vertical);
    skinned->SetHScrollBar(horizontal);

    double plainSeconds = 0;
    double skinnedSeconds = 0;
    for (int i = 0; i < rows; ++i) {
        // Alternate which list goes first, so neither pays for the other's leftovers.
        if (i % 2 == 0) {
            plainSeconds += SecondsToAddRow(plain, i);
            skinnedSeconds += SecondsToAddRow(skinned, i);
        } else {
            skinnedSeconds += SecondsToAddRow(skinned, i);
            plainSeconds += SecondsToAddRow(plain, i);
        }
    }

    const TScrollBarState plainState = plain->ScrollBarState(Qt::Vertical);
    QScrollBar* ownBar = plain->Rows()->verticalScrollBar();
    const int step = std::max(1, plainState.Page * 10);
    const double plainStep = SecondsPerStep(plainState.Max - plainState.Page + 1, step,
                                            [ownBar](int position) { ownBar->setValue(position); });
    skinned->SynchronizeScrollBars();
    const double skinnedStep = SecondsPerStep(
        vertical->Max(), step, [vertical](int position) { vertical->SetPosition(position); });
    const bool inStep = skinned->ScrollBarState(Qt::Vertical).Position == vertical->Position();

    std::printf("rows: %d\n", rows);
    std::printf("plain list view:   %.2f us per row\n", plainSeconds * 1e6 / rows);
    std::printf("skinned list view: %.2f us per row\n", skinnedSeconds * 1e6 / rows);
    std::printf("insertion ratio skinned/plain: %.3f (target at most 1.2)\n",
                skinnedSeconds / plainSeconds);
    std::printf("thumb step: plain own bar %.1f us, painted bar %.1f us, ratio %.3f%s\n",
                plainStep * 1e6, skinnedStep * 1e6, skinnedStep / plainStep,
                inStep ? "" : " (list and bar out of step!)");
    return 0;
}
