// Handlers of events that pass more than the sender are bound by name, and a handler
// whose parameters do not fit is refused.
#include "framework/controls/Panel.h"
#include "framework/controls/StdCtrls.h"
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
