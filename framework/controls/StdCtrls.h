#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/Panel.h"
#include "framework/core/Strings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

// Static text painted by the framework, like a classic label: it may size itself to
// its text, lie transparently on its parent and pass its accelerator on.
class TLabel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TCustomPanel::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TTextLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
    Q_PROPERTY(TWinControl* FocusControl READ FocusControl WRITE SetFocusControl)
public:
    enum TTextLayout { tlTop, tlCenter, tlBottom };
    Q_ENUM(TTextLayout)

    explicit TLabel(TComponent* AOwner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* control);

    // The DrawText flags the label paints and measures with.
    unsigned TextFlags() const;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void Loaded() override;

private:
    void AdjustBounds();

    bool FAutoSize = true;
    bool FTransparent = false;
    TAlignment FAlignment = TCustomPanel::taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TComponentReference<TWinControl> FFocusControl{this};
};

// A single-line edit field over QLineEdit. Its border is drawn by the widget unless
// BorderStyle is bsNone; a painted border can be laid over it on WM_NCPAINT, which
// follows the widget's own painting.
class TCustomEdit : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(TCustomPanel::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString PasswordChar READ PasswordChar WRITE SetPasswordChar)
    Q_PROPERTY(TCustomPanel::TAlignment Alignment READ Alignment WRITE SetAlignment)
public:
    using TBorderStyle = TCustomPanel::TBorderStyle;

    explicit TCustomEdit(TComponent* AOwner);

    QString GetText() const override;
    void SetText(const QString& text) override;
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    QString PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(const QString& value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    QString SelText() const;
    void SelectAll();
    void Clear();
    QLineEdit* LineEdit() const;
    TNotifyEvent* NotifyEvent(const QString& name) override;

    TNotifyEvent OnChange;

protected:
    QWidget* CreateHandle() override;
    void WndProc(TMessage& message) override;
    void ApplyColorToWidget() override;
    virtual void Change();
    void DoEnter() override;

private:
    int FMaxLength = 0;
    TBorderStyle FBorderStyle = TCustomPanel::bsSingle;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    QString FPasswordChar;
    TAlignment FAlignment = TCustomPanel::taLeftJustify;
};

class TEdit : public TCustomEdit {
    Q_OBJECT
public:
    using TCustomEdit::TCustomEdit;
};

class TCustomMemo;

// The lines of a memo, read and written through its document: appending a line is
// one block insertion, whatever the memo already holds.
class TMemoStrings : public TStrings {
    Q_OBJECT
public:
    explicit TMemoStrings(TCustomMemo* memo);
    int Count() const override;
    QString Get(int index) const override;
    void Put(int index, const QString& value) override;
    void Insert(int index, const QString& value) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const QString& value) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    QPlainTextEdit* Editor() const;
    TCustomMemo* FMemo;
};

// A multi-line text box over QPlainTextEdit.
class TCustomMemo : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TStrings* Lines READ Lines WRITE SetLines)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool WantReturns READ WantReturns WRITE SetWantReturns)
    Q_PROPERTY(bool WantTabs READ WantTabs WRITE SetWantTabs)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(TCustomPanel::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
public:
    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
    Q_ENUM(TScrollStyle)

    explicit TCustomMemo(TComponent* AOwner);

    TStrings* Lines() const { return FLines; }
    void SetLines(TStrings* lines) { FLines->Assign(lines); }
    QString GetText() const override;
    void SetText(const QString& text) override;
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value) { FMaxLength = value; }
    TCustomPanel::TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TCustomPanel::TBorderStyle value);
    void Clear();
    QPlainTextEdit* Editor() const;
    TNotifyEvent* NotifyEvent(const QString& name) override;

    TNotifyEvent OnChange;

protected:
    QWidget* CreateHandle() override;
    void WndProc(TMessage& message) override;
    void ApplyColorToWidget() override;

private:
    void ApplyScrollBars();

    TMemoStrings* FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    int FMaxLength = 0;
    TCustomPanel::TBorderStyle FBorderStyle = TCustomPanel::bsSingle;
};

class TMemo : public TCustomMemo {
    Q_OBJECT
public:
    using TCustomMemo::TCustomMemo;
};

// A push button over QPushButton. Enter clicks the default button (or the focused
// one) and Escape the cancel button, through CM_DIALOGKEY; a click sets the form's
// ModalResult to the button's.
class TButton : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }
    // Whether Enter would click this button now.
    bool IsActive() const { return FActive; }
    void Click() override;

protected:
    QWidget* CreateHandle() override;
    bool TranslateEvent(QWidget* widget, QEvent* event, bool& handled) override;
    void WndProc(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    int FModalResult = 0;
};

// A check box over QCheckBox. OnClick fires whenever the state changes.
class TCheckBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(TCheckBoxState State READ State WRITE SetState)
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TCustomPanel::TAlignment Alignment READ Alignment WRITE SetAlignment)
public:
    enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
    Q_ENUM(TCheckBoxState)

    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState state);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Moves to the next state as a click does (grayed only when allowed).
    void Toggle();

protected:
    QWidget* CreateHandle() override;
    bool TranslateEvent(QWidget* widget, QEvent* event, bool& handled) override;
    void WndProc(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;

private:
    void AdjustSize();

    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    bool FAutoSize = false;
    TAlignment FAlignment = TCustomPanel::taRightJustify;
};
