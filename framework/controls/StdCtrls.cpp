#include "framework/controls/StdCtrls.h"

#include "framework/core/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace {

Qt::Alignment HorizontalAlignment(TAlignment alignment) {
    switch (alignment) {
    case TCustomPanel::taRightJustify:
        return Qt::AlignRight;
    case TCustomPanel::taCenter:
        return Qt::AlignHCenter;
    case TCustomPanel::taLeftJustify:
        break;
    }
    return Qt::AlignLeft;
}

void SetWidgetColor(QWidget* widget, QPalette::ColorRole role, TColor color) {
    QPalette palette = widget->palette();
    palette.setColor(role, ColorToQColor(color));
    widget->setPalette(palette);
}

// The widget's mnemonic (Alt + the marked letter) acts at once, not after Qt's click
// animation, like the accelerator of CM_DIALOGCHAR.
bool TranslateMnemonic(TWinControl& control, QEvent* event, bool& handled,
                       const std::function<void()>& act) {
    if (event->type() != QEvent::Shortcut) {
        return false;
    }
    handled = true;
    if (control.CanFocus()) {
        control.SetFocus();
        act();
    }
    return true;
}

} // namespace

// ---------------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
    SetControlStyle(ControlStyle() | csOpaque);
}

unsigned TLabel::TextFlags() const {
    unsigned flags = DT_EXPANDTABS;
    if (FWordWrap) {
        flags |= DT_WORDBREAK;
    }
    if (!FShowAccelChar) {
        flags |= DT_NOPREFIX;
    }
    if (FAlignment == TCustomPanel::taCenter) {
        flags |= DT_CENTER;
    } else if (FAlignment == TCustomPanel::taRightJustify) {
        flags |= DT_RIGHT;
    }
    return flags;
}

void TLabel::SetAutoSize(bool value) {
    if (value != FAutoSize) {
        FAutoSize = value;
        AdjustBounds();
    }
}

void TLabel::SetTransparent(bool value) {
    if (value != FTransparent) {
        FTransparent = value;
        SetControlStyle(value ? ControlStyle() & ~TControlStyle(csOpaque)
                              : ControlStyle() | csOpaque);
        Invalidate();
    }
}

void TLabel::SetAlignment(TAlignment value) {
    if (value != FAlignment) {
        FAlignment = value;
        Invalidate();
    }
}

void TLabel::SetLayout(TTextLayout value) {
    if (value != FLayout) {
        FLayout = value;
        Invalidate();
    }
}

void TLabel::SetWordWrap(bool value) {
    if (value != FWordWrap) {
        FWordWrap = value;
        AdjustBounds();
        Invalidate();
    }
}

void TLabel::SetShowAccelChar(bool value) {
    if (value != FShowAccelChar) {
        FShowAccelChar = value;
        AdjustBounds();
        Invalidate();
    }
}

void TLabel::SetFocusControl(TWinControl* control) {
    FFocusControl.Set(control);
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || IsLoading()) {
        return;
    }
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* canvas = measure.Canvas();
    canvas->SetFont(Font());
    TRect rect = Rect(0, 0, FWordWrap ? Width() : 0, 0);
    QString text = Caption();
    if (text.isEmpty()) {
        text = QStringLiteral(" ");
    }
    canvas->DrawText(text, rect, TextFlags() | DT_CALCRECT);
    int left = Left();
    if (!FWordWrap && FAlignment == TCustomPanel::taRightJustify) {
        left += Width() - rect.Width();
    } else if (!FWordWrap && FAlignment == TCustomPanel::taCenter) {
        left += (Width() - rect.Width()) / 2;
    }
    SetBounds(left, Top(), rect.Width(), rect.Height());
}

void TLabel::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    if (!FTransparent) {
        canvas.Brush()->SetColor(Color());
        canvas.Brush()->SetStyle(TBrush::bsSolid);
        canvas.FillRect(client);
    }
    canvas.Brush()->SetStyle(TBrush::bsClear);
    canvas.SetFont(Font());
    if (!Enabled()) {
        canvas.Font()->SetColor(clGrayText);
    }
    TRect rect = client;
    unsigned flags = TextFlags();
    if (FLayout != tlTop) {
        TRect measured = rect;
        canvas.DrawText(Caption(), measured, flags | DT_CALCRECT);
        const int offset = rect.Height() - measured.Height();
        rect.Top += FLayout == tlCenter ? offset / 2 : offset;
    }
    canvas.DrawText(Caption(), rect, flags);
}

void TLabel::WndProc(TMessage& message) {
    if (message.Msg == CM_DIALOGCHAR && FShowAccelChar && FFocusControl != nullptr && Enabled() &&
        IsAccel(QChar(static_cast<char16_t>(message.WParam)), Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        message.Result = 1;
        return;
    }
    TGraphicControl::WndProc(message);
}

void TLabel::CMTextChanged(TMessage& message) {
    TGraphicControl::CMTextChanged(message);
    AdjustBounds();
}

void TLabel::CMFontChanged(TMessage& message) {
    TGraphicControl::CMFontChanged(message);
    AdjustBounds();
}

// ---------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    RecreateHandle();
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents | csSetCaption));
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    QObject::connect(LineEdit(), &QLineEdit::textChanged, this, [this] {
        CallReportingExceptions(this, [this] {
            Perform(CM_TEXTCHANGED);
            Change();
        });
    });
}

QWidget* TCustomEdit::CreateHandle() {
    auto* edit = new TForwardingWidget<QLineEdit>(this);
    edit->setFocusPolicy(Qt::StrongFocus);
    return edit;
}

QLineEdit* TCustomEdit::LineEdit() const {
    return static_cast<QLineEdit*>(Handle());
}

QString TCustomEdit::GetText() const {
    return LineEdit()->text();
}

void TCustomEdit::SetText(const QString& text) {
    if (text != LineEdit()->text()) {
        LineEdit()->setText(FMaxLength > 0 ? text.left(FMaxLength) : text);
    }
}

bool TCustomEdit::ReadOnly() const {
    return LineEdit()->isReadOnly();
}

void TCustomEdit::SetReadOnly(bool value) {
    LineEdit()->setReadOnly(value);
}

void TCustomEdit::SetMaxLength(int value) {
    FMaxLength = std::max(0, value);
    LineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    FBorderStyle = value;
    LineEdit()->setFrame(value == TCustomPanel::bsSingle);
    Invalidate();
}

void TCustomEdit::SetPasswordChar(const QString& value) {
    FPasswordChar = value;
    LineEdit()->setEchoMode(value.isEmpty() || value == QStringLiteral("#0") ? QLineEdit::Normal
                                                                             : QLineEdit::Password);
}

void TCustomEdit::SetAlignment(TAlignment value) {
    FAlignment = value;
    LineEdit()->setAlignment(HorizontalAlignment(value) | Qt::AlignVCenter);
}

int TCustomEdit::SelStart() const {
    return LineEdit()->hasSelectedText() ? LineEdit()->selectionStart()
                                         : LineEdit()->cursorPosition();
}

void TCustomEdit::SetSelStart(int start) {
    LineEdit()->setCursorPosition(start);
}

int TCustomEdit::SelLength() const {
    return static_cast<int>(LineEdit()->selectedText().size());
}

void TCustomEdit::SetSelLength(int length) {
    LineEdit()->setSelection(SelStart(), length);
}

QString TCustomEdit::SelText() const {
    return LineEdit()->selectedText();
}

void TCustomEdit::SelectAll() {
    LineEdit()->selectAll();
}

void TCustomEdit::Clear() {
    LineEdit()->clear();
}

TNotifyEvent* TCustomEdit::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnChange") ? &OnChange : TWinControl::NotifyEvent(name);
}

void TCustomEdit::Change() {
    if (OnChange && !IsLoading()) {
        OnChange(this);
    }
}

void TCustomEdit::DoEnter() {
    if (FAutoSelect) {
        SelectAll();
    }
    TWinControl::DoEnter();
}

void TCustomEdit::ApplyColorToWidget() {
    SetWidgetColor(Handle(), QPalette::Base, Color());
}

void TCustomEdit::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
        return;
    }
    TWinControl::WndProc(message);
}

// ---------------------------------------------------------------------------

TMemoStrings::TMemoStrings(TCustomMemo* memo) : TStrings(memo), FMemo(memo) {}

QPlainTextEdit* TMemoStrings::Editor() const {
    return FMemo->Editor();
}

int TMemoStrings::Count() const {
    QTextDocument* document = Editor()->document();
    const int blocks = document->blockCount();
    // An empty document still has one empty block; a text ending in a line break
    // has a trailing empty block that is not a line.
    if (blocks == 1 && document->firstBlock().length() <= 1) {
        return 0;
    }
    return document->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

QString TMemoStrings::Get(int index) const {
    if (index < 0 || index >= Count()) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return Editor()->document()->findBlockByNumber(index).text();
}

void TMemoStrings::Put(int index, const QString& value) {
    if (index < 0 || index >= Count()) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    QTextCursor cursor(Editor()->document()->findBlockByNumber(index));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(value);
}

int TMemoStrings::Add(const QString& value) {
    const int index = Count();
    QTextDocument* document = Editor()->document();
    if (index > 0 && document->blockCount() == index && !value.isEmpty()) {
        // The editor's own append keeps adding lines cheap.
        Editor()->appendPlainText(value);
    } else {
        Insert(index, value);
    }
    return index;
}

void TMemoStrings::Insert(int index, const QString& value) {
    const int count = Count();
    if (index < 0 || index > count) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    QTextDocument* document = Editor()->document();
    // An empty last line keeps a line break after it, as a classic memo ends each line it
    // adds with one; otherwise it would read as the document's trailing break and vanish.
    const bool terminate = value.isEmpty();
    if (count == 0) {
        Editor()->setPlainText(terminate ? QStringLiteral("\n") : value);
        return;
    }
    if (index == count) {
        QTextCursor cursor(document);
        cursor.movePosition(QTextCursor::End);
        if (document->lastBlock().length() > 1 || document->blockCount() == count) {
            cursor.insertBlock();
        }
        cursor.insertText(value);
        if (terminate) {
            cursor.insertBlock();
        }
        return;
    }
    QTextCursor cursor(document->findBlockByNumber(index));
    cursor.insertText(value);
    cursor.insertBlock();
}

void TMemoStrings::Delete(int index) {
    const int count = Count();
    if (index < 0 || index >= count) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    QTextDocument* document = Editor()->document();
    QTextCursor cursor(document->findBlockByNumber(index));
    if (index + 1 < document->blockCount()) {
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    } else {
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        if (index > 0) {
            // The last line takes the line break before it along.
            cursor.movePosition(QTextCursor::StartOfBlock);
            cursor.movePosition(QTextCursor::PreviousCharacter);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
    }
    cursor.removeSelectedText();
}

void TMemoStrings::Clear() {
    Editor()->clear();
}

void TMemoStrings::SetUpdateState(bool updating) {
    Editor()->setUpdatesEnabled(!updating);
}

TCustomMemo::TCustomMemo(TComponent* AOwner) : TWinControl(AOwner) {
    RecreateHandle();
    FLines = new TMemoStrings(this);
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents | csSetCaption));
    SetTabStop(true);
    SetBounds(0, 0, 185, 89);
    SetWordWrap(true);
    ApplyScrollBars();
    QObject::connect(Editor(), &QPlainTextEdit::textChanged, this, [this] {
        if (OnChange && !IsLoading()) {
            CallReportingExceptions(this, [this] { OnChange(this); });
        }
    });
}

QWidget* TCustomMemo::CreateHandle() {
    auto* editor = new TForwardingWidget<QPlainTextEdit>(this);
    editor->setFocusPolicy(Qt::StrongFocus);
    editor->setUndoRedoEnabled(false);
    return editor;
}

QPlainTextEdit* TCustomMemo::Editor() const {
    return static_cast<QPlainTextEdit*>(Handle());
}

QString TCustomMemo::GetText() const {
    return Editor()->toPlainText();
}

void TCustomMemo::SetText(const QString& text) {
    Editor()->setPlainText(text);
}

bool TCustomMemo::ReadOnly() const {
    return Editor()->isReadOnly();
}

void TCustomMemo::SetReadOnly(bool value) {
    Editor()->setReadOnly(value);
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    FScrollBars = value;
    ApplyScrollBars();
}

void TCustomMemo::SetWordWrap(bool value) {
    FWordWrap = value;
    Editor()->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    ApplyScrollBars();
}

void TCustomMemo::ApplyScrollBars() {
    const bool vertical = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool horizontal = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    // A classic memo shows the bars it has whether or not there is anything to
    // scroll; a wrapping memo never needs a horizontal one.
    Editor()->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    Editor()->setHorizontalScrollBarPolicy(horizontal && !FWordWrap ? Qt::ScrollBarAlwaysOn
                                                                    : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetBorderStyle(TCustomPanel::TBorderStyle value) {
    FBorderStyle = value;
    Editor()->setFrameShape(value == TCustomPanel::bsSingle ? QFrame::StyledPanel
                                                            : QFrame::NoFrame);
}

TNotifyEvent* TCustomMemo::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnChange") ? &OnChange : TWinControl::NotifyEvent(name);
}

void TCustomMemo::Clear() {
    Editor()->clear();
}

void TCustomMemo::ApplyColorToWidget() {
    SetWidgetColor(Handle(), QPalette::Base, Color());
}

void TCustomMemo::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
        if (FWantReturns) {
            message.Result |= DLGC_WANTALLKEYS;
        }
        if (FWantTabs) {
            message.Result |= DLGC_WANTTAB;
        }
        return;
    }
    TWinControl::WndProc(message);
}

// ---------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    RecreateHandle();
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents));
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
    QObject::connect(static_cast<QPushButton*>(Handle()), &QPushButton::clicked, this,
                     [this] { CallReportingExceptions(this, [this] { Click(); }); });
}

QWidget* TButton::CreateHandle() {
    auto* button = new TForwardingWidget<QPushButton>(this);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    return button;
}

bool TButton::TranslateEvent(QWidget* widget, QEvent* event, bool& handled) {
    return TranslateMnemonic(*this, event, handled, [this] { Click(); }) ||
           TWinControl::TranslateEvent(widget, event, handled);
}

void TButton::SetDefault(bool value) {
    FDefault = value;
    if (TCustomForm* form = GetParentForm()) {
        TWinControl* focused = form->ActiveControl();
        FActive = focused == this || (value && qobject_cast<TButton*>(focused) == nullptr);
    } else {
        FActive = value;
    }
    static_cast<QPushButton*>(Handle())->setDefault(FActive);
}

void TButton::Click() {
    if (FModalResult != mrNone) {
        if (TCustomForm* form = GetParentForm()) {
            form->SetModalResult(FModalResult);
        }
    }
    TWinControl::Click();
}

void TButton::CMTextChanged(TMessage& message) {
    static_cast<QPushButton*>(Handle())->setText(TControl::GetText());
    TWinControl::CMTextChanged(message);
}

void TButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGKEY: {
        const auto shift = TShiftState::fromInt(static_cast<int>(message.LParam));
        const bool plain = !(shift & (ssShift | ssCtrl | ssAlt));
        if (plain &&
            ((message.WParam == VK_RETURN && FActive) ||
             (message.WParam == VK_ESCAPE && FCancel)) &&
            CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(QChar(static_cast<char16_t>(message.WParam)), Caption()) && CanFocus()) {
            SetFocus();
            Click();
            message.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
        FActive = focused == this || (FDefault && qobject_cast<TButton*>(focused) == nullptr);
        static_cast<QPushButton*>(Handle())->setDefault(FActive);
        break;
    }
    case WM_GETDLGCODE:
        message.Result = 0;
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ---------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    RecreateHandle();
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents));
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
    auto* box = static_cast<QCheckBox*>(Handle());
    // The user's click goes through Toggle so the state rules are the framework's.
    QObject::connect(box, &QCheckBox::clicked, this, [this, box] {
        const QSignalBlocker block(box);
        box->setCheckState(FState == cbChecked  ? Qt::Checked
                           : FState == cbGrayed ? Qt::PartiallyChecked
                                                : Qt::Unchecked);
        CallReportingExceptions(this, [this] { Toggle(); });
    });
}

QWidget* TCheckBox::CreateHandle() {
    auto* box = new TForwardingWidget<QCheckBox>(this);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

bool TCheckBox::TranslateEvent(QWidget* widget, QEvent* event, bool& handled) {
    return TranslateMnemonic(*this, event, handled, [this] { Toggle(); }) ||
           TWinControl::TranslateEvent(widget, event, handled);
}

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == cbGrayed && !FAllowGrayed) {
        state = cbChecked;
    }
    if (state == FState) {
        return;
    }
    FState = state;
    auto* box = static_cast<QCheckBox*>(Handle());
    box->setTristate(FAllowGrayed || state == cbGrayed);
    box->setCheckState(state == cbChecked  ? Qt::Checked
                       : state == cbGrayed ? Qt::PartiallyChecked
                                           : Qt::Unchecked);
    if (!IsLoading()) {
        Click();
    }
}

void TCheckBox::SetAllowGrayed(bool value) {
    FAllowGrayed = value;
    static_cast<QCheckBox*>(Handle())->setTristate(value);
    if (!value && FState == cbGrayed) {
        SetState(cbUnchecked);
    }
}

void TCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(cbChecked);
        break;
    case cbChecked:
        SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbUnchecked);
        break;
    }
}

void TCheckBox::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustSize();
}

void TCheckBox::SetAlignment(TAlignment value) {
    FAlignment = value;
    Handle()->setLayoutDirection(value == TCustomPanel::taLeftJustify ? Qt::RightToLeft
                                                                      : Qt::LeftToRight);
}

void TCheckBox::AdjustSize() {
    if (FAutoSize && !IsLoading()) {
        const QSize hint = Handle()->sizeHint();
        SetBounds(Left(), Top(), hint.width(), hint.height());
    }
}

void TCheckBox::CMTextChanged(TMessage& message) {
    static_cast<QCheckBox*>(Handle())->setText(TControl::GetText());
    AdjustSize();
    TWinControl::CMTextChanged(message);
}

void TCheckBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(QChar(static_cast<char16_t>(message.WParam)), Caption()) && CanFocus()) {
            SetFocus();
            Toggle();
            message.Result = 1;
            return;
        }
        break;
    case WM_GETDLGCODE:
        message.Result = 0;
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
