// Files dragged from another program reach the controls' drag events.
#include "framework/controls/Control.h"
#include "framework/controls/Panel.h"
#include "framework/controls/StdCtrls.h"
#include "framework/forms/Form.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct TDragLog {
    QStringList Lines;

    // Makes control log its drag events and accept drags when accept says so.
    void Watch(TControl* control, bool accept) {
        control->OnDragOver = [this, accept](TObject* sender, TObject* source, int x, int y,
                                             TDragState state, bool& accepted) {
            static const char* kStates[] = {"enter", "leave", "move"};
            const auto* files = qobject_cast<TFileDragObject*>(source);
            Lines.append(
                QStringLiteral("%1 %2 %3,%4 %5")
                    .arg(static_cast<TComponent*>(sender)->Name(), QLatin1String(kStates[state]))
                    .arg(x)
                    .arg(y)
                    .arg(files != nullptr ? files->Files().join(QLatin1Char('|'))
                                          : QStringLiteral("?")));
            accepted = accept;
        };
        control->OnDragDrop = [this](TObject* sender, TObject*, int x, int y) {
            Lines.append(QStringLiteral("%1 drop %2,%3")
                             .arg(static_cast<TComponent*>(sender)->Name())
                             .arg(x)
                             .arg(y));
        };
    }
};

TPanel* AddPanel(TWinControl* parent, const QString& name, int left, int top) {
    auto* panel = new TPanel(parent);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetBounds(left, top, 80, 80);
    return panel;
}

// Sends a drag event of kind type at the form's client point (x, y), as the platform does.
bool Send(TForm& form, QEvent::Type type, int x, int y, QMimeData& data) {
    QWidget* window = form.Handle();
    const TPoint global = form.ClientToScreen(Point(x, y));
    const QPoint at = window->mapFromGlobal(QPoint(global.X, global.Y));
    if (type == QEvent::DragLeave) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(window, &leave);
        return leave.isAccepted();
    }
    std::unique_ptr<QDropEvent> event;
    if (type == QEvent::DragEnter) {
        event = std::make_unique<QDragEnterEvent>(at, Qt::CopyAction, &data, Qt::LeftButton,
                                                  Qt::NoModifier);
    } else if (type == QEvent::DragMove) {
        event = std::make_unique<QDragMoveEvent>(at, Qt::CopyAction, &data, Qt::LeftButton,
                                                 Qt::NoModifier);
    } else {
        event = std::make_unique<QDropEvent>(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton,
                                             Qt::NoModifier);
    }
    QApplication::sendEvent(window, event.get());
    return event->isAccepted();
}

TEST(FileDrops, GoToTheInnermostControlThatAcceptsThemWithEnterMoveLeaveAndDrop) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TCustomForm::bsNone);
    form->SetBounds(0, 0, 300, 120);
    TPanel* left = AddPanel(form.get(), QStringLiteral("Left"), 10, 10);
    TPanel* right = AddPanel(form.get(), QStringLiteral("Right"), 150, 10);
    auto* edit = new TEdit(form.get());
    edit->SetName(QStringLiteral("Edit"));
    edit->SetParent(left);
    edit->SetBounds(5, 5, 60, 20);
    TDragLog log;
    log.Watch(left, true);
    log.Watch(edit, false);
    log.Watch(right, true);
    form->Show();

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/data/a.txt"))});
    // Over the edit, which refuses: its panel takes the drag; the edit types nothing.
    EXPECT_TRUE(Send(*form, QEvent::DragEnter, 20, 20, files));
    EXPECT_TRUE(Send(*form, QEvent::DragMove, 60, 60, files));
    EXPECT_TRUE(Send(*form, QEvent::DragMove, 160, 20, files));
    EXPECT_TRUE(Send(*form, QEvent::Drop, 170, 30, files));
    EXPECT_EQ(edit->Text(), QString());
    EXPECT_EQ(log.Lines, (QStringList{
                             "Edit enter 5,5 /data/a.txt",
                             "Left enter 10,10 /data/a.txt",
                             "Left move 50,50 /data/a.txt",
                             "Left leave 0,0 /data/a.txt",
                             "Right enter 10,10 /data/a.txt",
                             "Right move 20,20 /data/a.txt",
                             "Right drop 20,20",
                         }));

    // Nothing takes a drag outside the panels, but it is followed to where a control
    // takes it; one that leaves tells the last taker.
    log.Lines.clear();
    Send(*form, QEvent::DragEnter, 120, 100, files);
    EXPECT_FALSE(Send(*form, QEvent::DragMove, 120, 100, files));
    EXPECT_TRUE(Send(*form, QEvent::DragMove, 20, 60, files));
    Send(*form, QEvent::DragLeave, 0, 0, files);
    EXPECT_EQ(log.Lines,
              (QStringList{"Left enter 10,50 /data/a.txt", "Left leave 0,0 /data/a.txt"}));

    // A drag of text is not a drag of files: the controls never hear of it.
    log.Lines.clear();
    QMimeData text;
    text.setText(QStringLiteral("words"));
    Send(*form, QEvent::DragEnter, 20, 20, text);
    EXPECT_TRUE(log.Lines.isEmpty());
}

} // namespace
