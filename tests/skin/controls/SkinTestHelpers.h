// Helpers of the skinned-control tests: a shown host form, painting a control into an
// image, waiting for a condition and independently cut theme frames.
#pragma once

#include "framework/controls/Control.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKThemes.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace skintest {

constexpr QRgb Marker = 0xFF12ABCD;

inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A shown, active form away from the resting pointer.
inline std::unique_ptr<TForm> ShownForm() {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(300, 300, 400, 300);
    form->SetColor(clBtnFace);
    form->Show();
    form->Handle()->activateWindow();
    WaitFor([&] { return form->Handle()->isActiveWindow(); });
    return form;
}

// The control's own painting (no children) on a marker-filled image.
inline QImage Paint(TControl& control) {
    TBitmap bitmap;
    bitmap.SetSize(control.Width(), control.Height());
    bitmap.Image().fill(Marker);
    control.PaintTo(*bitmap.Canvas(), Point(0, 0));
    bitmap.Canvas()->ReleaseHandle();
    return bitmap.Image();
}

// Frame index (from 1) of count equal frames of the look's picture, cut here.
inline QImage CutByHand(TskUIStyle look, int element, int count, int index) {
    const QImage picture = LoadBuiltinThemePicture(look, element);
    const int width = picture.width() / count;
    return picture.copy((index - 1) * width, 0, width, picture.height())
        .convertToFormat(QImage::Format_RGB32);
}

inline const TskUIStyle BuiltinLooks[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};

} // namespace skintest
