#include "fuzz/PaintFromSkin.h"

#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/SKButton.h"
#include "skin/controls/SKEdit.h"
#include "skin/controls/SKScrollBar.h"
#include "skin/core/SKMgr.h"
#include "skin/frame/SKImagePanel.h"

#include <QTemporaryFile>
#include <QWidget>

namespace {

void PaintStates(TForm& form, TWinControl* control) {
    control->SetParent(&form);
    for (int state = 0; state < 4; ++state) {
        switch (state) {
        case 1:
            control->Perform(CM_MOUSEENTER);
            break;
        case 2:
            control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 1));
            break;
        case 3:
            control->SetEnabled(false);
            break;
        default:
            break;
        }
        TBitmap target;
        target.SetSize(control->Width(), control->Height());
        control->PaintTo(*target.Canvas(), Point(0, 0));
        target.Canvas()->ReleaseHandle();
    }
    control->Handle()->grab();
    delete control;
}

} // namespace

void PaintEveryControlFromSkin(const QByteArray& bytes) {
    QTemporaryFile file;
    if (!file.open()) {
        return;
    }
    file.write(bytes);
    file.close();
    // A refused file is reported through the dialog service; the theme's own reader
    // says first whether the file would be refused, so no dialog ever opens.
    if (!TskThemeFileReader(file.fileName()).Ok()) {
        return;
    }
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* theme = new TskFileTheme(&form);
    theme->SetThemeFile(file.fileName());
    for (const bool large : {false, true}) {
        auto* button = new TskButton(&form);
        button->SetFileTheme(theme);
        button->SetUIStyle(FromThemeFile);
        button->SetAutoSize(large);
        button->SetCaption(large ? QString(300, QLatin1Char('W')) : QStringLiteral("OK"));
        PaintStates(form, button);
        auto* box = new TskCheckBox(&form);
        box->SetFileTheme(theme);
        box->SetUIStyle(FromThemeFile);
        box->SetChecked(large);
        box->SetTransparent(large);
        PaintStates(form, box);
        auto* edit = new TskEdit(&form);
        edit->SetFileTheme(theme);
        edit->SetUIStyle(FromThemeFile);
        PaintStates(form, edit);
        auto* panel = new TskImagePanel(&form);
        panel->SetDrawStyle(large ? TskCustomPanel::skTile : TskCustomPanel::skStretch);
        PaintStates(form, panel);
        auto* track = new TskTrackBar(&form);
        track->SetFileTheme(theme);
        track->SetUIStyle(FromThemeFile);
        track->SetOrientation(large ? skVertical : skHorizontal);
        PaintStates(form, track);
        auto* bar = new TskScrollBar(&form);
        bar->SetFileTheme(theme);
        bar->SetUIStyle(FromThemeFile);
        bar->SetOrientation(large ? skVertical : skHorizontal);
        PaintStates(form, bar);
    }
}
