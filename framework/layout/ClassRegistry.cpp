#include "framework/layout/ClassRegistry.h"

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Menus.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/ToolBar.h"
#include "framework/core/Timer.h"
#include "framework/dialogs/OpenDialog.h"
#include "framework/graphics/ImageList.h"

#include <QHash>

namespace {

QHash<QString, TComponentFactory>& Registry() {
    static QHash<QString, TComponentFactory> registry;
    return registry;
}

template <class T>
void Add(const char* name) {
    Registry().insert(QString::fromLatin1(name),
                      [](TComponent* owner) -> TComponent* { return new T(owner); });
}

void RegisterFrameworkClasses() {
    static const bool done = [] {
        Add<TPanel>("TPanel");
        Add<TLabel>("TLabel");
        Add<TEdit>("TEdit");
        Add<TMemo>("TMemo");
        Add<TButton>("TButton");
        Add<TCheckBox>("TCheckBox");
        Add<TPageControl>("TPageControl");
        Add<TTabSheet>("TTabSheet");
        Add<TListView>("TListView");
        Add<TTimer>("TTimer");
        Add<TImageList>("TImageList");
        Add<TOpenDialog>("TOpenDialog");
        Add<TMainMenu>("TMainMenu");
        Add<TPopupMenu>("TPopupMenu");
        Add<TMenuItem>("TMenuItem");
        Add<TToolBar>("TToolBar");
        Add<TToolButton>("TToolButton");
        return true;
    }();
    (void)done;
}

} // namespace

void RegisterClass(const QString& className, TComponentFactory factory) {
    Registry().insert(className, std::move(factory));
}

TComponentFactory FindClass(const QString& className) {
    RegisterFrameworkClasses();
    return Registry().value(className);
}
