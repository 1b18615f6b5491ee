// Properties of component names, read through the layout reader from registrations of
// the component's class, and events with a var flag bound beside them.
#include "framework/layout/LayoutBindings.h"

#include "framework/forms/Form.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"

#include <gtest/gtest.h>

// Keeps the names read for its Names property and asks OnChanging before it changes.
class TNamesProbe : public TComponent {
    Q_OBJECT
public:
    using TComponent::TComponent;
    QList<QStringList> Reads;
    std::function<void(TObject*, bool&)> OnChanging;

    std::optional<TEventSlot> EventSlot(const QString& name) override {
        if (name != QLatin1String("OnChanging")) {
            return TComponent::EventSlot(name);
        }
        return TEventSlot{{QMetaType::fromType<bool>()}, [this](const TEventInvoker& invoke) {
                              OnChanging = [invoke](TObject* sender, bool& allow) {
                                  QObject* from = sender;
                                  void* arguments[] = {nullptr, &from, &allow};
                                  invoke(arguments);
                              };
                          }};
    }

    bool MayChange() {
        bool allow = true;
        if (OnChanging) {
            OnChanging(this, allow);
        }
        return allow;
    }
};
REGISTER_CLASS(TNamesProbe);

// Inherits the registrations of its base.
class TDerivedNamesProbe : public TNamesProbe {
    Q_OBJECT
public:
    using TNamesProbe::TNamesProbe;
};
REGISTER_CLASS(TDerivedNamesProbe);

[[maybe_unused]] static const bool NamesProbeBindings = [] {
    RegisterNamesProperty(QStringLiteral("TNamesProbe"), QStringLiteral("Names"),
                          [](TComponent* component, const QStringList& names) {
                              qobject_cast<TNamesProbe*>(component)->Reads.append(names);
                          });
    return true;
}();

class TBindingForm : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
    bool Allow = true;
    QStringList Calls;

    Q_INVOKABLE void ProbeChanging(TObject* Sender, bool& AllowChange) {
        Calls.append(qobject_cast<TComponent*>(Sender)->Name());
        AllowChange = Allow;
    }
    Q_INVOKABLE void OneArgument(TObject*) {}
};

namespace {

TNamesProbe* Probe(TBindingForm& form, const char* name) {
    return qobject_cast<TNamesProbe*>(form.FindComponent(QString::fromLatin1(name)));
}

TEST(LayoutBindingsTest, ReadsListsAndSingleNamesInTheOrderWritten) {
    TBindingForm form(nullptr);
    ReadLayoutText(&form, QStringLiteral(R"(object Form1: TBindingForm
  object List: TNamesProbe
    Names = (
      SheetFileMD5
      SheetMaker, SheetVerifier
      SheetAbout)
  end
  object Single: TDerivedNamesProbe
    Names = PageControl
    Names = ()
  end
end
)"),
                   QStringLiteral("names.layout"));
    ASSERT_NE(Probe(form, "List"), nullptr);
    EXPECT_EQ(
        Probe(form, "List")->Reads,
        (QList<QStringList>{{QStringLiteral("SheetFileMD5"), QStringLiteral("SheetMaker"),
                             QStringLiteral("SheetVerifier"), QStringLiteral("SheetAbout")}}));
    ASSERT_NE(Probe(form, "Single"), nullptr);
    EXPECT_EQ(Probe(form, "Single")->Reads,
              (QList<QStringList>{{QStringLiteral("PageControl")}, {}}));
}

TEST(LayoutBindingsTest, BindsAFlagEventToAHandlerThatCanRefuse) {
    TBindingForm form(nullptr);
    ReadLayoutText(&form, QStringLiteral(R"(object Form1: TBindingForm
  object Tabs: TDerivedNamesProbe
    OnChanging = ProbeChanging
  end
end
)"),
                   QStringLiteral("flag.layout"));
    TNamesProbe* tabs = Probe(form, "Tabs");
    ASSERT_NE(tabs, nullptr);
    EXPECT_TRUE(tabs->MayChange());
    form.Allow = false;
    EXPECT_FALSE(tabs->MayChange());
    EXPECT_EQ(form.Calls, (QStringList{QStringLiteral("Tabs"), QStringLiteral("Tabs")}));
}

TEST(LayoutBindingsTest, RefusesValuesAndHandlersThatDoNotFit) {
    const struct {
        const char* Text;
        int Line;
        const char* Problem;
    } cases[] = {
        {"object F: TBindingForm\n  object P: TNamesProbe\n    Names = ('a')\n  end\nend\n", 3,
         "Component name expected"},
        {"object F: TBindingForm\n  object P: TNamesProbe\n    Names = 12\n  end\nend\n", 3,
         "Invalid value"},
        {"object F: TBindingForm\n  object P: TNamesProbe\n    OnChanging = OneArgument\n"
         "  end\nend\n",
         3, "OneArgument(TObject*, bool)"},
        {"object F: TBindingForm\n  object P: TNamesProbe\n    OnChanging = 'x'\n  end\nend\n", 3,
         "Handler name expected"},
        {"object F: TBindingForm\n  Names = (A)\nend\n", 2, "Unknown property 'Names'"},
    };
    for (const auto& refusal : cases) {
        TBindingForm form(nullptr);
        try {
            ReadLayoutText(&form, QString::fromLatin1(refusal.Text), QStringLiteral("bad.layout"));
            ADD_FAILURE() << "accepted: " << refusal.Text;
        } catch (const ELayoutError& error) {
            EXPECT_EQ(error.Line(), refusal.Line) << error.what();
            EXPECT_TRUE(error.Problem().contains(QString::fromLatin1(refusal.Problem)))
                << error.what();
        }
    }
}

} // namespace

#include "LayoutBindingsTest.moc"
