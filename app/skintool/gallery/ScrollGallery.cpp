#include "app/skintool/gallery/ScrollGallery.h"

#include "app/skintool/gallery/GallerySheet.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Form.h"
#include "skin/controls/SKListView.h"

#include <functional>

namespace {

template <class T>
QImage Paint(TForm* host, TskUIStyle look, TskFileTheme* fileTheme,
             const std::function<void(T*)>& prepare) {
    auto* control = new T(host);
    control->SetParent(host);
    control->SetFileTheme(fileTheme);
    control->SetUIStyle(look);
    prepare(control);
    const QImage image = GrabControl(control);
    delete control;
    return image;
}

TGalleryRow TrackBarRow(TForm* host, TskUIStyle look, TskFileTheme* fileTheme, bool vertical) {
    const auto shape = [vertical](TskTrackBar* bar) {
        if (vertical) {
            bar->SetOrientation(skVertical);
            bar->SetHeight(120);
        } else {
            bar->SetWidth(150);
        }
        bar->SetPosition(4);
    };
    TGalleryRow row{
        vertical ? QStringLiteral("TskTrackBar vertical") : QStringLiteral("TskTrackBar"), {}};
    row.Cells.append(Paint<TskTrackBar>(host, look, fileTheme, shape));
    row.Cells.append(Paint<TskTrackBar>(host, look, fileTheme, [&](TskTrackBar* bar) {
        shape(bar);
        bar->SetFocus();
    }));
    row.Cells.append(Paint<TskTrackBar>(host, look, fileTheme, [&](TskTrackBar* bar) {
        shape(bar);
        bar->SetEnabled(false);
    }));
    row.Cells.append(Paint<TskTrackBar>(host, look, fileTheme, [&](TskTrackBar* bar) {
        shape(bar);
        bar->SetFrequency(3);
        bar->SetPosition(10);
    }));
    return row;
}

TGalleryRow ScrollBarRow(TForm* host, TskUIStyle look, TskFileTheme* fileTheme, bool vertical) {
    const auto shape = [vertical](TskScrollBar* bar) {
        if (vertical) {
            bar->SetOrientation(skVertical);
            bar->SetHeight(120);
        } else {
            bar->SetWidth(150);
        }
        bar->SetPosition(30);
    };
    TGalleryRow row{
        vertical ? QStringLiteral("TskScrollBar vertical") : QStringLiteral("TskScrollBar"), {}};
    row.Cells.append(Paint<TskScrollBar>(host, look, fileTheme, shape));
    row.Cells.append(QImage());
    row.Cells.append(Paint<TskScrollBar>(host, look, fileTheme, [&](TskScrollBar* bar) {
        shape(bar);
        bar->SetEnabled(false);
    }));
    row.Cells.append(Paint<TskScrollBar>(host, look, fileTheme, [&](TskScrollBar* bar) {
        shape(bar);
        bar->SetLineButton(40);
        bar->SetPosition(100);
    }));
    return row;
}

// A report list with more rows and wider columns than fit, both bars linked.
QImage PaintListView(TForm* host, TskUIStyle look, TskFileTheme* fileTheme, bool enabled) {
    auto* panel = new TPanel(host);
    panel->SetParent(host);
    panel->SetBevelOuter(TCustomPanel::bvNone);
    panel->SetBounds(0, 0, 220, 120);
    auto* list = new TskListView(host);
    list->SetParent(panel);
    list->SetBounds(0, 0, 220, 120);
    list->SetViewStyle(TCustomListView::vsReport);
    list->SetGridLines(true);
    TListColumn* file = list->Columns()->Add();
    file->SetCaption(QStringLiteral("File"));
    file->SetWidth(235);
    TListColumn* sum = list->Columns()->Add();
    sum->SetCaption(QStringLiteral("MD5 Checksum"));
    sum->SetWidth(230);
    for (int i = 0; i < 40; ++i) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(QStringLiteral("/home/user/photos/img_%1.jpg").arg(i, 4, 10, QChar('0')));
        item->SubItems()->Add(QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    }
    auto* vertical = new TskScrollBar(host);
    vertical->SetParent(panel);
    auto* horizontal = new TskScrollBar(host);
    horizontal->SetParent(panel);
    // Linked first, so that the list passes its look on to its bars.
    list->SetVScrollBar(vertical);
    list->SetHScrollBar(horizontal);
    list->SetFileTheme(fileTheme);
    list->SetUIStyle(look);
    list->Scroll(0, 12);
    list->SetEnabled(enabled);
    const QImage image = GrabControl(panel);
    delete panel;
    return image;
}

} // namespace

QImage PaintScrollGallery(TskUIStyle look, TskFileTheme* fileTheme) {
    const std::unique_ptr<TForm> host = MakeGalleryHost();
    QList<TGalleryRow> rows;
    rows.append(TrackBarRow(host.get(), look, fileTheme, false));
    rows.append(TrackBarRow(host.get(), look, fileTheme, true));
    rows.append(ScrollBarRow(host.get(), look, fileTheme, false));
    rows.append(ScrollBarRow(host.get(), look, fileTheme, true));
    TGalleryRow lists{QStringLiteral("TskListView"), {}};
    lists.Cells.append(PaintListView(host.get(), look, fileTheme, true));
    lists.Cells.append(QImage());
    lists.Cells.append(PaintListView(host.get(), look, fileTheme, false));
    rows.append(lists);
    return LayOutSection(QStringLiteral("Track bar, scroll bar and list view"),
                         {QStringLiteral("normal"), QStringLiteral("focused"),
                          QStringLiteral("disabled"), QStringLiteral("ticks / long thumb")},
                         rows);
}
