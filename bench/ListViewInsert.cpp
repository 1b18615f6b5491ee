// Adds rows one by one to a report list, the way the file digest page does (a row, the
// pending messages, its digest, the pending messages again), to the plain framework
// list view and to the skinned one with both painted bars linked, taking turns row by
// row so both meet the same machine load, and prints the time per row over the whole
// run, over its first and over its last thousand rows (a cost that grows with the row
// count shows as a difference), and the skinned/plain ratio. Wall-clock time is what a
// user waits; processor time of this thread varies less on a busy machine. A third
// list gets the same rows without pending messages between them: nothing paints, so
// its times are the list's own work per row. Then drags the painted thumb across the
// whole list and compares a step with a step of the plain list's own bar.
// Usage: sumwarden-listview-bench [ROWS]   (default 100000)

#include "bench/Stopwatch.h"
#include "framework/controls/ListViewRows.h"
#include "framework/core/Application.h"
#include "framework/forms/Form.h"
#include "skin/controls/SKListView.h"

#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

void PrepareColumns(TCustomListView* list, int top) {
    list->SetBounds(8, top, 490, 200);
    list->SetViewStyle(TCustomListView::vsReport);
    list->SetGridLines(true);
    list->Columns()->Add()->SetWidth(235);
    list->Columns()->Add()->SetWidth(230);
}

// The time rows took: all of them, the first ones and the last ones.
struct TRowTimes {
    TSpent Total;
    TSpent First;
    TSpent Last;

    void Add(TSpent spent, bool first, bool last) {
        for (TSpent* sum : {&Total, first ? &First : nullptr, last ? &Last : nullptr}) {
            if (sum != nullptr) {
                sum->Wall += spent.Wall;
                sum->Cpu += spent.Cpu;
            }
        }
    }
    void Print(const char* name, int rows, int window) const {
        std::printf("%s wall %8.2f %8.2f %8.2f   cpu %8.2f %8.2f %8.2f\n", name,
                    Total.Wall * 1e6 / rows, First.Wall * 1e6 / window, Last.Wall * 1e6 / window,
                    Total.Cpu * 1e6 / rows, First.Cpu * 1e6 / window, Last.Cpu * 1e6 / window);
    }
};

// Adds one row as the file digest page does; returns the time it took.
TSpent TimeToAddRow(TCustomListView* list, int index) {
    const TStopwatch stopwatch;
    TListItem* row = list->Items()->Add();
    row->SetCaption(QStringLiteral("/home/user/photos/img_%1.jpg").arg(index));
    QApplication::processEvents();
    row->SubItems()->Add(QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    QApplication::processEvents();
    return stopwatch.Spent();
}

// Adds one row without letting pending messages run between its steps, so nothing
// paints: the time is the list's own work for a row, free of painting.
TSpent TimeToAddRowUnpainted(TCustomListView* list, int index) {
    const TStopwatch stopwatch;
    TListItem* row = list->Items()->Add();
    row->SetCaption(QStringLiteral("/home/user/photos/img_%1.jpg").arg(index));
    row->SubItems()->Add(QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    return stopwatch.Spent();
}

// Moves the position from top to bottom in steps of a tenth of a page, as a
// pointer dragging the thumb does, and returns the seconds per step.
template <class Move>
double SecondsPerStep(int last, int step, Move move) {
    int steps = 0;
    const TStopwatch stopwatch;
    for (int position = 0; position <= last; position += step) {
        move(position);
        QApplication::processEvents();
        ++steps;
    }
    return stopwatch.Spent().Wall / std::max(1, steps);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int rows = std::max(1, argc > 1 ? std::atoi(argv[1]) : 100000);
    const int window = std::min(1000, rows);

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

    TRowTimes plainTimes;
    TRowTimes skinnedTimes;
    for (int i = 0; i < rows; ++i) {
        const bool first = i < window;
        const bool last = i >= rows - window;
        // Alternate which list goes first, so neither pays for the other's leftovers.
        if (i % 2 == 0) {
            plainTimes.Add(TimeToAddRow(plain, i), first, last);
            skinnedTimes.Add(TimeToAddRow(skinned, i), first, last);
        } else {
            skinnedTimes.Add(TimeToAddRow(skinned, i), first, last);
            plainTimes.Add(TimeToAddRow(plain, i), first, last);
        }
    }

    auto* unpainted = new TListView(&form);
    unpainted->SetParent(&form);
    PrepareColumns(unpainted, 8);
    TRowTimes unpaintedTimes;
    for (int i = 0; i < rows; ++i) {
        unpaintedTimes.Add(TimeToAddRowUnpainted(unpainted, i), i < window, i >= rows - window);
    }
    delete unpainted;

    const TScrollBarState plainState = plain->ScrollBarState(Qt::Vertical);
    QScrollBar* ownBar = plain->Rows()->verticalScrollBar();
    const int step = std::max(1, plainState.Page * 10);
    const double plainStep = SecondsPerStep(plainState.Max - plainState.Page + 1, step,
                                            [ownBar](int position) { ownBar->setValue(position); });
    skinned->SynchronizeScrollBars();
    const double skinnedStep = SecondsPerStep(
        vertical->Max(), step, [vertical](int position) { vertical->SetPosition(position); });
    const bool inStep = skinned->ScrollBarState(Qt::Vertical).Position == vertical->Position();

    std::printf("rows: %d; us per row over the whole run, the first %d rows, the last %d rows\n",
                rows, window, window);
    plainTimes.Print("plain list view:  ", rows, window);
    skinnedTimes.Print("skinned list view:", rows, window);
    unpaintedTimes.Print("no painting:      ", rows, window);
    std::printf("insertion ratio skinned/plain: wall %.3f, cpu %.3f (target at most 1.2)\n",
                skinnedTimes.Total.Wall / plainTimes.Total.Wall,
                skinnedTimes.Total.Cpu / plainTimes.Total.Cpu);
    std::printf("thumb step: plain own bar %.1f us, painted bar %.1f us, ratio %.3f%s\n",
                plainStep * 1e6, skinnedStep * 1e6, skinnedStep / plainStep,
                inStep ? "" : " (list and bar out of step!)");
    return 0;
}
