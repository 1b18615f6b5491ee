#include "skin/controls/SKRegister.h"

#include "framework/layout/ClassRegistry.h"
#include "skin/controls/SKButton.h"
#include "skin/controls/SKEdit.h"
#include "skin/controls/SKListView.h"
#include "skin/controls/SKPageControl.h"
#include "skin/frame/SKImagePanel.h"

void RegisterSkinClasses() {
    static const bool registered = [] {
        RegisterComponentClass<TskButton>("TskButton");
        RegisterComponentClass<TskImageButton>("TskImageButton");
        RegisterComponentClass<TskCheckBox>("TskCheckBox");
        RegisterComponentClass<TskEdit>("TskEdit");
        RegisterComponentClass<TskImagePanel>("TskImagePanel");
        RegisterComponentClass<TskPageControl>("TskPageControl");
        RegisterComponentClass<TskTabSheet>("TskTabSheet");
        RegisterComponentClass<TskTrackBar>("TskTrackBar");
        RegisterComponentClass<TskScrollBar>("TskScrollBar");
        RegisterComponentClass<TskListView>("TskListView");
        RegisterComponentClass<TskFileTheme>("TskFileTheme");
        return true;
    }();
    (void)registered;
}
