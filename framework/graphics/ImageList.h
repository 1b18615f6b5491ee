#pragma once

#include "framework/core/Component.h"
#include "framework/graphics/Colors.h"

#include <QImage>
#include <QList>

class TBitmap;
class TCanvas;

// A list of equally sized images, each with its own transparency. Adding a bitmap
// wider than the list cuts it into Width-wide images from left to right. A component,
// so that layouts can hold one and menus can refer to it by name.
class TImageList : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
public:
    explicit TImageList(TComponent* AOwner);
    TImageList(int width, int height, TComponent* AOwner = nullptr);

    int Width() const { return width_; }
    // Changing the size clears the list.
    void SetWidth(int width);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Count() const { return static_cast<int>(images_.size()); }

    // Adds image with mask (white mask pixels are transparent; no mask: opaque).
    // Returns the index of the first image added, -1 when nothing was added.
    int Add(const TBitmap* image, const TBitmap* mask = nullptr);
    // Adds image with every pixel of maskColor transparent.
    int AddMasked(const TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws image index with its top-left at (x, y). Disabled images are drawn
    // embossed: their shape (opaque pixels that are not white) in clBtnHighlight one
    // pixel down and right, then in clBtnShadow.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // Stores image index, its transparent pixels in clBtnFace; false for a bad index.
    bool GetBitmap(int index, TBitmap* bitmap) const;

    TNotifyEvent OnChange;

private:
    int AddPieces(const QImage& image, const QImage& mask, bool keyed, QRgb key);
    void Changed();

    int width_ = 16;
    int height_ = 16;
    QList<QImage> images_; // Format_ARGB32_Premultiplied, transparent pixels 0
};
