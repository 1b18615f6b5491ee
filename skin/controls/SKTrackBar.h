// The skinned slider: a groove picture along the control, a slider picture the user
// drags, clicks on the groove that page towards the pointer, arrow and paging keys and
// optional ticks. The scroll bar's inner track is the same control without groove,
// ticks or focus.
#pragma once

#include "framework/controls/Panel.h"
#include "framework/core/ComponentReference.h"
#include "framework/core/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKThemes.h"

#include <QPointer>

class TskImagePanel;

class TskTrackBar : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(TskProgressBarOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TPicture* BarImage READ BarImage WRITE SetBarImage)
    Q_PROPERTY(TPicture* SliderImage READ SliderImage WRITE SetSliderImage)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(int PageSize READ PageSize WRITE SetPageSize)
    Q_PROPERTY(int LineSize READ LineSize WRITE SetLineSize)
    Q_PROPERTY(bool ShowTick READ ShowTick WRITE SetShowTick)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int Frequency READ Frequency WRITE SetFrequency)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
public:
    enum TskProgressBarOrientation { skHorizontal, skVertical };
    Q_ENUM(TskProgressBarOrientation)

    explicit TskTrackBar(TComponent* AOwner);
    ~TskTrackBar() override;

    TskProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TskProgressBarOrientation value);
    TskFileTheme* FileTheme() const { return FFileTheme.Get(); }
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TPicture* BarImage() const { return FBarImage; }
    void SetBarImage(TPicture* picture);
    TPicture* SliderImage() const;
    void SetSliderImage(TPicture* picture);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int value);
    bool ShowTick() const { return FShowTick; }
    void SetShowTick(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);

    // The signed change of Position that the latest OnChange reported.
    int LastChange() const { return FLastChange; }
    TskImagePanel* Slider() const { return FSlider; }
    bool Dragging() const { return FDragging; }
    bool PagingTimerRunning() const { return FPagingTimer != nullptr; }
    // The value under a point of the client area (not clamped).
    int PositionFromPoint(int x, int y) const;
    // The values that get a tick, in order.
    QList<int> TickValues() const;
    // Reloads the pictures, fits the size, places the slider and repaints.
    void RefreshPictures();

    TNotifyEvent* NotifyEvent(const QString& name) override;

    TNotifyEvent OnChange;

protected:
    // The owner gives the pictures (the theme's are not loaded).
    virtual bool PicturesFromOwner() const { return false; }
    virtual bool FocusOnClick() const { return true; }
    virtual bool SliderTransparent() const { return FOrientation == skHorizontal; }

    void Paint() override;
    void WndProc(TMessage& message) override;
    void WMEraseBkgnd(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void WMCaptureChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(quint16& key, TShiftState shift) override;

private:
    bool Vertical() const { return FOrientation == skVertical; }
    void LoadPictures();
    void BuildGroove();
    void FitSize();
    // Puts the slider where Position says and reports a changed position.
    void PlaceSlider(bool repaint = true);
    void ReportChange();
    void TakeFocusOnClick();
    void PagingTick();
    void StopPaging();
    void SliderMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void SliderMouseUp(TMouseButton button, TShiftState shift, int x, int y);

    TskProgressBarOrientation FOrientation = skHorizontal;
    TskUIStyle FUIStyle = DeepBlue;
    // A theme that goes leaves the control in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    TPicture* FBarImage;
    TBitmap FGroove;
    TskImagePanel* FSlider;
    QPointer<TTimer> FPagingTimer;
    int FMax = 10;
    int FMin = 0;
    int FPosition = 0;
    int FPageSize = 2;
    int FLineSize = 1;
    int FFrequency = 1;
    bool FShowTick = true;
    bool FTransparent = false;
    bool FDragging = false;
    int FLastNotified = 0;
    int FLastChange = 0;
};

using TskProgressBarOrientation = TskTrackBar::TskProgressBarOrientation;
constexpr TskProgressBarOrientation skHorizontal = TskTrackBar::skHorizontal;
constexpr TskProgressBarOrientation skVertical = TskTrackBar::skVertical;

// The scroll bar's track: no groove picture, no ticks, never focused; the scroll bar
// gives it the thumb picture.
class TskScrollTrackBar : public TskTrackBar {
    Q_OBJECT
public:
    explicit TskScrollTrackBar(TComponent* AOwner);

protected:
    bool PicturesFromOwner() const override { return true; }
    bool FocusOnClick() const override { return false; }
    bool SliderTransparent() const override { return false; }
};
