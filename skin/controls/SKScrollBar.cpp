#include "skin/controls/SKScrollBar.h"

#include "framework/graphics/Canvas.h"
#include "skin/controls/SKButton.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKPictureCache.h"
#include "skin/frame/SKImagePanel.h"

#include <algorithm>

namespace {

// The arrows repeat this often (milliseconds) while held.
constexpr int ArrowRepeatInterval = 100;
// The shortest thumb a given LineButton may ask for.
constexpr int MinThumbLength = 18;

} // namespace

TskScrollBar::TskScrollBar(TComponent* AOwner)
    : TCustomPanel(AOwner), FTrack(new TskScrollTrackBar(this)),
      FSecondButton(new TskImageButton(this)), FFirstButton(new TskImageButton(this)) {
    SetControlStyle(ControlStyle() & ~TControlStyle(csAcceptsControls));
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    FUIStyle = GetFormUIStyle(AOwner);
    FTrack->SetParent(this);
    FTrack->SetShowTick(false);
    FTrack->SetTabStop(false);
    FTrack->SetTransparent(false);
    FTrack->SetMax(100);
    FTrack->OnChange = [this](TObject*) {
        if (OnChange) {
            OnChange(this);
        }
    };
    for (TskImageButton* button : {FSecondButton, FFirstButton}) {
        button->SetParent(this);
        button->SetTabStop(false);
        button->SetMouseContinuouslyDownInterval(ArrowRepeatInterval);
    }
    FFirstButton->OnMouseContinuouslyDown = [this](TObject*) {
        FTrack->SetPosition(FTrack->Position() - FSmallChange);
    };
    FSecondButton->OnMouseContinuouslyDown = [this](TObject*) {
        FTrack->SetPosition(FTrack->Position() + FSmallChange);
    };
    SetHeight(185);
    LoadPictures();
    LayOut();
}

TskScrollBar::~TskScrollBar() {
    // The children go with this panel; their events must not reach it meanwhile.
    FTrack->OnChange = nullptr;
    FFirstButton->OnMouseContinuouslyDown = nullptr;
    FSecondButton->OnMouseContinuouslyDown = nullptr;
}

void TskScrollBar::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

void TskScrollBar::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    LoadPictures();
    LayOut();
}

void TskScrollBar::SetOrientation(TskProgressBarOrientation value) {
    if (FOrientation == value) {
        return;
    }
    FOrientation = value;
    LoadPictures();
    LayOut();
}

void TskScrollBar::SetPosition(int value) {
    if (value != FTrack->Position()) {
        FTrack->SetPosition(value);
    }
}

void TskScrollBar::SetSmallChange(int value) {
    FSmallChange = std::clamp(value, 1, 32767);
}

void TskScrollBar::SetLargeChange(int value) {
    FTrack->SetPageSize(std::clamp(value, 1, 32767));
}

void TskScrollBar::SetPageSize(int value) {
    FTrack->SetPageSize(value);
    BuildThumb();
}

int TskScrollBar::TrackLength() const {
    return Vertical() ? FTrack->Height() : FTrack->Width();
}

int TskScrollBar::ThumbLength() const {
    return Vertical() ? FTrack->Slider()->Height() : FTrack->Slider()->Width();
}

void TskScrollBar::SetLineButton(int value) {
    if (value == FLineButton) {
        return;
    }
    const int buttons = Vertical() ? FFirstButton->Height() + FSecondButton->Height()
                                   : FFirstButton->Width() + FSecondButton->Width();
    const int length = Vertical() ? Height() : Width();
    if (value > length - buttons) {
        return;
    }
    FLineButton = value;
    BuildThumb();
}

void TskScrollBar::LoadPictures() {
    FTrack->BarImage()->SetGraphic(nullptr);
    SetColor(ThemeColor(FileTheme(), FUIStyle, ScrollBarBackgroundColor));
    TBitmap* pieces[] = {&FThumbStart, &FThumbMiddle, &FThumbEnd};
    for (int i = 0; i < 3; ++i) {
        LoadThemeFrame(FileTheme(), FUIStyle, ScrollBarSliderImage, pieces[i], 3, i + 1);
        if (Vertical()) {
            RotateBitmapRight(pieces[i]);
        }
    }
    const auto assign = [this](TskImageButton* button, int firstFrame) {
        TPicture* targets[] = {button->PicNormal(), button->PicMouseOn(), button->PicMouseDown()};
        for (int i = 0; i < 3; ++i) {
            TBitmap bitmap;
            LoadThemeFrame(FileTheme(), FUIStyle, ScrollBarButtonImage, &bitmap, 6, firstFrame + i);
            if (!Vertical()) {
                RotateBitmapLeft(&bitmap);
            }
            targets[i]->SetGraphic(&bitmap);
        }
        button->SetAutoSize(true);
    };
    assign(FFirstButton, 1);
    assign(FSecondButton, 4);
    Invalidate();
}

void TskScrollBar::LayOut() {
    if (FLayingOut) {
        return;
    }
    FLayingOut = true;
    FTrack->SetOrientation(FOrientation);
    if (Width() == 0 || Height() == 0) {
        SetVisible(false);
        FLayingOut = false;
        return;
    }
    MoveControlTo(FFirstButton, TPoint(0, 0));
    if (Vertical()) {
        const int trackHeight = Height() - FSecondButton->Height() - FFirstButton->Height() - 1;
        FTrack->SetBounds(0, FFirstButton->Height(), FTrack->Width(), std::max(0, trackHeight));
        MoveControlTo(FSecondButton, TPoint(0, Height() - FSecondButton->Height()));
        if (FFirstButton->Width() > 0) {
            SetWidth(FFirstButton->Width());
        }
    } else {
        const int trackWidth = Width() - FSecondButton->Width() - FFirstButton->Width();
        FTrack->SetBounds(FFirstButton->Width(), 0, std::max(0, trackWidth), FTrack->Height());
        MoveControlTo(FSecondButton, TPoint(Width() - FSecondButton->Width(), 0));
        if (FFirstButton->Height() > 0) {
            SetHeight(FFirstButton->Height());
        }
    }
    FLayingOut = false;
    BuildThumb();
}

void TskScrollBar::BuildThumb() {
    const int thickness = Vertical() ? FThumbStart.Width() : FThumbStart.Height();
    const int trackLength = TrackLength();
    int length = 0;
    if (FLineButton > 0) {
        FLineButton = std::max(FLineButton, MinThumbLength);
        length = FLineButton;
    } else if (trackLength > 0) {
        int percent = FTrack->PageSize();
        if (percent < 10 || percent > 100) {
            percent = 10;
        }
        length = percent * trackLength / 100;
    }
    if (thickness <= 0 || length <= 0) {
        return;
    }
    // A thumb shorter than its two end caps would cut them (a round thumb becomes a half
    // disc); a track too short for both caps gets a thumb as long as the track.
    const int caps = Vertical() ? FThumbStart.Height() + FThumbEnd.Height()
                                : FThumbStart.Width() + FThumbEnd.Width();
    length = std::max(length, trackLength > 0 ? std::min(caps, trackLength) : caps);
    TBitmap thumb;
    if (Vertical()) {
        thumb.SetSize(thickness, length);
    } else {
        thumb.SetSize(length, thickness);
    }
    TCanvas* canvas = thumb.Canvas();
    canvas->Draw(0, 0, &FThumbStart);
    if (Vertical()) {
        const int endTop = length - FThumbEnd.Height();
        canvas->StretchDraw(Rect(0, FThumbStart.Height(), thickness, endTop), &FThumbMiddle);
        canvas->Draw(0, endTop, &FThumbEnd);
    } else {
        const int endLeft = length - FThumbEnd.Width();
        canvas->StretchDraw(Rect(FThumbStart.Width(), 0, endLeft, thickness), &FThumbMiddle);
        canvas->Draw(endLeft, 0, &FThumbEnd);
    }
    FTrack->Slider()->Picture()->SetGraphic(&thumb);
    FTrack->RefreshPictures();
}

void TskScrollBar::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
}

void TskScrollBar::WMSize(TMessage& message) {
    TCustomPanel::WMSize(message);
    LayOut();
}

void TskScrollBar::CMColorChanged(TMessage& message) {
    TCustomPanel::CMColorChanged(message);
    FTrack->SetColor(Color());
}

void TskScrollBar::CMVisibleChanged(TMessage& message) {
    TCustomPanel::CMVisibleChanged(message);
    FTrack->SetVisible(Visible());
    FFirstButton->SetVisible(Visible());
    FSecondButton->SetVisible(Visible());
}

TNotifyEvent* TskScrollBar::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnChange") ? &OnChange : TCustomPanel::NotifyEvent(name);
}
