// The skinned scroll bar: two arrow buttons and, between them, a scroll track whose
// slider is the thumb. A host control (the skinned list view) drives it and scrolls
// itself by LastChange from OnChange.
#pragma once

#include "framework/controls/Panel.h"
#include "framework/core/ComponentReference.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/SKTrackBar.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKThemes.h"

class TskImageButton;

class TskScrollBar : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(int LineButton READ LineButton WRITE SetLineButton)
    Q_PROPERTY(
        TskTrackBar::TskProgressBarOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(int SmallChange READ SmallChange WRITE SetSmallChange)
    Q_PROPERTY(int LargeChange READ LargeChange WRITE SetLargeChange)
    Q_PROPERTY(int PageSize READ PageSize WRITE SetPageSize)
public:
    explicit TskScrollBar(TComponent* AOwner);
    ~TskScrollBar() override;

    TskFileTheme* FileTheme() const { return FFileTheme.Get(); }
    void SetFileTheme(TskFileTheme* theme);
    int LineButton() const { return FLineButton; }
    void SetLineButton(int value);
    TskProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TskProgressBarOrientation value);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    int Max() const { return FTrack->Max(); }
    void SetMax(int value) { FTrack->SetMax(value); }
    int Min() const { return FTrack->Min(); }
    void SetMin(int value) { FTrack->SetMin(value); }
    int Position() const { return FTrack->Position(); }
    void SetPosition(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value);
    int LargeChange() const { return FTrack->PageSize(); }
    void SetLargeChange(int value);
    int PageSize() const { return FTrack->PageSize(); }
    void SetPageSize(int value);
    int LastChange() const { return FTrack->LastChange(); }

    TskScrollTrackBar* Track() const { return FTrack; }
    TskImageButton* FirstButton() const { return FFirstButton; }
    TskImageButton* SecondButton() const { return FSecondButton; }
    // The thumb's length along the bar (the track's slider).
    int ThumbLength() const;

    TNotifyEvent* NotifyEvent(const QString& name) override;

    // Raised after every change of Position (the inner track's).
    TNotifyEvent OnChange;

protected:
    void WMEraseBkgnd(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;

private:
    bool Vertical() const { return FOrientation == skVertical; }
    void LoadPictures();
    void LayOut();
    void BuildThumb();
    int TrackLength() const;

    TBitmap FThumbStart;
    TBitmap FThumbMiddle;
    TBitmap FThumbEnd;
    TskScrollTrackBar* FTrack;
    TskImageButton* FSecondButton;
    TskImageButton* FFirstButton;
    // A theme that goes leaves the control in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    TskUIStyle FUIStyle = DeepBlue;
    TskProgressBarOrientation FOrientation = skHorizontal;
    int FLineButton = 0;
    int FSmallChange = 1;
    bool FLayingOut = false;
};
