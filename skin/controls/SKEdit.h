// The skinned single-line edit: the platform edit with a flat one-pixel border in the
// look's border colour instead of its 3-D frame.
#pragma once

#include "framework/controls/StdCtrls.h"
#include "framework/core/ComponentReference.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKThemes.h"

class TskEdit : public TCustomEdit {
    Q_OBJECT
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(int BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(bool OEMConvert READ OEMConvert WRITE SetOEMConvert)
    Q_PROPERTY(TEditCharCase CharCase READ CharCase WRITE SetCharCase)
    Q_PROPERTY(TImeMode ImeMode READ ImeMode WRITE SetImeMode)
    Q_PROPERTY(QString ImeName READ ImeName WRITE SetImeName)
public:
    enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
    Q_ENUM(TEditCharCase)
    enum TImeMode {
        imDisable,
        imClose,
        imOpen,
        imDontCare,
        imSAlpha,
        imAlpha,
        imHira,
        imSKata,
        imKata,
        imChinese,
        imSHanguel,
        imHanguel
    };
    Q_ENUM(TImeMode)

    explicit TskEdit(TComponent* AOwner);

    TskFileTheme* FileTheme() const { return FFileTheme.Get(); }
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color);

    // Stored for layouts; the edit's own behaviour decides these.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value) { FHideSelection = value; }
    bool OEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool value) { FOEMConvert = value; }
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value) { FCharCase = value; }
    TImeMode ImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode value) { FImeMode = value; }
    QString ImeName() const { return FImeName; }
    void SetImeName(const QString& value) { FImeName = value; }

protected:
    // Called after every change of look.
    virtual void StyleChanged() {}
    void WMNCPaint(TMessage& message) override;

private:
    TColor FBorderColor = clBlack;
    TskUIStyle FUIStyle = DeepBlue;
    // A theme that goes leaves the control in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    bool FHideSelection = true;
    bool FOEMConvert = false;
    TEditCharCase FCharCase = ecNormal;
    TImeMode FImeMode = imDontCare;
    QString FImeName;
};
