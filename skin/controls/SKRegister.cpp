#include "skin/controls/SKRegister.h"

#include "framework/layout/ClassRegistry.h"
#include "skin/controls/SKButton.h"
#include "skin/controls/SKEdit.h"
#include "skin/controls/SKListView.h"
#include "skin/controls/SKPageControl.h"
#include "skin/frame/SKForm.h"
#include "skin/frame/SKImagePanel.h"
#include "skin/frame/SKTitleBar.h"
#include "skin/menus/SKMainMenu.h"
#include "skin/menus/SKPopupMenu.h"

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
        RegisterComponentClass<TskForm>("TskForm");
        RegisterComponentClass<TskTitleBar>("TskTitleBar");
        RegisterComponentClass<TskMainMenu>("TskMainMenu");
        RegisterComponentClass<TskPopupMenu>("TskPopupMenu");
        return true;
    }();
    (void)registered;
}
