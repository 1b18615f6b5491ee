// Handlers of events that pass more than the sender are bound by name, and a handler
// whose parameters do not fit is refused.
#include "framework/controls/Panel.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/Timer.h"
#include "framework/forms/Form.h"
#include "framework/layout/LayoutReader.h"

#include <gtest/gtest.h>

namespace {

class TEventForm : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
    QStringList Calls;

    Q_INVOKABLE void PanelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                    int Y) {
        Calls.append(QStringLiteral("down %1 %2 %3 %4 %5")
                         .arg(qobject_cast<TComponent*>(Sender)->Name())
                         .arg(Button)
                         .arg(Shift.toInt())
                         .arg(X)
                         .arg(Y));
    }
    Q_INVOKABLE void PanelMouseMove(TObject*, TShiftState, int X, int Y) {
        Calls.append(QStringLiteral("move %1 %2").arg(X).arg(Y));
    }
    Q_INVOKABLE void EditKeyDown(TObject*, quint16& Key, TShiftState) {
        Calls.append(QStringLiteral("key %1").arg(Key));
        Key = 0;
    }
    Q_INVOKABLE void EditKeyPress(TObject*, QChar& Key) { Key = Key.toUpper(); }
    Q_INVOKABLE void PanelClick(TObject*) {}

    // Drag and dock handlers record their arguments and answer through their var ones.
    Q_INVOKABLE void PanelDragDrop(TObject*, TObject* Source, int X, int Y) {
        Calls.append(QStringLiteral("drop %1 %2 %3").arg(NameOf(Source)).arg(X).arg(Y));
    }
    Q_INVOKABLE void PanelDragOver(TObject*, TObject* Source, int X, int Y, TDragState State,
                                   bool& Accept) {
        Calls.append(
            QStringLiteral("over %1 %2 %3 %4").arg(NameOf(Source)).arg(X).arg(Y).arg(State));
        Accept = false;
    }
    Q_INVOKABLE void PanelEndDrag(TObject* Sender, TObject* Target, int X, int Y) {
        Calls.append(
            QStringLiteral("end %1 %2 %3 %4").arg(NameOf(Sender), NameOf(Target)).arg(X).arg(Y));
    }
    Q_INVOKABLE void PanelStartDrag(TObject*, TDragObject*& DragObject) {
        DragObject = &OwnDrag;
        Calls.append(QStringLiteral("start drag"));
    }
    Q_INVOKABLE void PanelStartDock(TObject*, TDragDockObject*& DragObject) {
        DragObject = &OwnDock;
        Calls.append(QStringLiteral("start dock"));
    }
    Q_INVOKABLE void PanelDockDrop(TObject*, TDragDockObject* Source, int X, int Y) {
        Calls.append(QStringLiteral("dock drop %1 %2 %3").arg(Source == &OwnDock).arg(X).arg(Y));
    }
    Q_INVOKABLE void PanelDockOver(TObject*, TDragDockObject*, int, int, TDragState State,
                                   bool& Accept) {
        Calls.append(QStringLiteral("dock over %1").arg(State));
        Accept = false;
    }
    Q_INVOKABLE void PanelUnDock(TObject*, TControl* Client, TWinControl* NewTarget, bool& Allow) {
        Calls.append(QStringLiteral("undock %1 %2").arg(NameOf(Client), NameOf(NewTarget)));
        Allow = false;
    }
    Q_INVOKABLE void PanelGetSiteInfo(TObject*, TControl*, TRect& InfluenceRect, TPoint MousePos,
                                      bool& CanDock) {
        InfluenceRect = Rect(MousePos.X, MousePos.Y, MousePos.X + 5, MousePos.Y + 5);
        CanDock = false;
    }

    TDragObject OwnDrag;
    TDragDockObject OwnDock;

private:
    static QString NameOf(QObject* object) {
        auto* component = qobject_cast<TComponent*>(object);
        return component != nullptr ? component->Name() : QStringLiteral("-");
    }
};

const char* const Layout = R"(object Form1: TEventForm
  object Panel: TPanel
    OnMouseDown = PanelMouseDown
    OnMouseMove = PanelMouseMove
    OnClick = PanelClick
  end
  object Edit: TEdit
    OnKeyDown = EditKeyDown
    OnKeyPress = EditKeyPress
  end
end
)";

} // namespace

TEST(EventBinding, HandlersWithMoreThanTheSenderAreCalledWithTheirArguments) {
    TEventForm form(nullptr);
    ReadLayoutText(&form, QString::fromLatin1(Layout), QStringLiteral("events.lay"));
    auto* panel = qobject_cast<TPanel*>(form.FindComponent(QStringLiteral("Panel")));
    auto* edit = qobject_cast<TEdit*>(form.FindComponent(QStringLiteral("Edit")));
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(edit, nullptr);
    panel->OnMouseDown(panel, TControl::mbRight, TShiftState(TControl::ssShift), 3, 4);
    panel->OnMouseMove(panel, {}, 7, 8);
    quint16 key = 65;
    edit->OnKeyDown(edit, key, {});
    EXPECT_EQ(key, 0) << "the handler changes the caller's key";
    QChar typed(QLatin1Char('a'));
    edit->OnKeyPress(edit, typed);
    EXPECT_EQ(typed, QLatin1Char('A'));
    EXPECT_EQ(form.Calls, (QStringList{QStringLiteral("down Panel 1 1 3 4"),
                                       QStringLiteral("move 7 8"), QStringLiteral("key 65")}));
}

TEST(EventBinding, DragAndDockEventsBindByNameAndTheActionIsANamedReference) {
    TEventForm form(nullptr);
    ReadLayoutText(&form, QStringLiteral(R"(object Form1: TEventForm
  object Target: TPanel
  end
  object Panel: TPanel
    Action = Timer
    DragKind = dkDock
    DragMode = dmAutomatic
    OnDragDrop = PanelDragDrop
    OnDragOver = PanelDragOver
    OnEndDrag = PanelEndDrag
    OnStartDrag = PanelStartDrag
    OnEndDock = PanelEndDrag
    OnStartDock = PanelStartDock
    OnDockDrop = PanelDockDrop
    OnDockOver = PanelDockOver
    OnUnDock = PanelUnDock
    OnGetSiteInfo = PanelGetSiteInfo
  end
  object Timer: TTimer
  end
end
)"),
                   QStringLiteral("dragdock.lay"));
    auto* panel = qobject_cast<TPanel*>(form.FindComponent(QStringLiteral("Panel")));
    auto* target = qobject_cast<TPanel*>(form.FindComponent(QStringLiteral("Target")));
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(panel->Action(), form.FindComponent(QStringLiteral("Timer")))
        << "resolved after the whole layout is read";
    EXPECT_EQ(panel->DragKind(), TControl::dkDock);

    panel->OnDragDrop(panel, target, 1, 2);
    bool accept = true;
    panel->OnDragOver(panel, target, 3, 4, dsDragMove, accept);
    EXPECT_FALSE(accept);
    panel->OnEndDrag(panel, nullptr, 5, 6);
    panel->OnEndDock(panel, target, 7, 8);
    TDragObject* drag = nullptr;
    panel->OnStartDrag(panel, drag);
    EXPECT_EQ(drag, &form.OwnDrag);
    TDragDockObject* dock = nullptr;
    panel->OnStartDock(panel, dock);
    EXPECT_EQ(dock, &form.OwnDock);
    panel->OnDockDrop(panel, dock, 9, 10);
    accept = true;
    panel->OnDockOver(panel, dock, 0, 0, dsDragLeave, accept);
    EXPECT_FALSE(accept);
    bool allow = true;
    panel->OnUnDock(panel, target, panel, allow);
    EXPECT_FALSE(allow);
    TRect influence;
    bool canDock = true;
    panel->OnGetSiteInfo(panel, target, influence, Point(20, 30), canDock);
    EXPECT_EQ(influence, Rect(20, 30, 25, 35));
    EXPECT_FALSE(canDock);
    EXPECT_EQ(form.Calls,
              (QStringList{QStringLiteral("drop Target 1 2"), QStringLiteral("over Target 3 4 2"),
                           QStringLiteral("end Panel - 5 6"),
                           QStringLiteral("end Panel Target 7 8"), QStringLiteral("start drag"),
                           QStringLiteral("start dock"), QStringLiteral("dock drop 1 9 10"),
                           QStringLiteral("dock over 1"), QStringLiteral("undock Target Panel")}));
}

TEST(EventBinding, AHandlerWhoseParametersDoNotFitIsRefused) {
    TEventForm form(nullptr);
    try {
        ReadLayoutText(&form, QStringLiteral(R"(object Form1: TEventForm
  object Panel: TPanel
    OnMouseDown = PanelClick
  end
end
)"),
                       QStringLiteral("events.lay"));
        FAIL() << "refused";
    } catch (const ELayoutError& error) {
        EXPECT_EQ(error.Line(), 3);
        EXPECT_TRUE(error.Problem().startsWith(QStringLiteral("Unknown handler 'PanelClick'")));
        EXPECT_TRUE(error.Problem().contains(QStringLiteral("TShiftState")))
            << error.Problem().toStdString();
    }
}

#include "EventBindingTest.moc"
