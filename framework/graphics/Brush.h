#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Colors.h"

#include <QBrush>
#include <QPointer>

class TBitmap;

// The brush areas are filled with: a solid colour, nothing (bsClear), a hatch in the
// brush colour, or a bitmap pattern. The pattern bitmap is referenced, not owned; a
// freed pattern bitmap simply stops being used.
class TBrush : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TBrushStyle Style READ Style WRITE SetStyle)
public:
    enum TBrushStyle {
        bsSolid,
        bsClear,
        bsHorizontal,
        bsVertical,
        bsFDiagonal,
        bsBDiagonal,
        bsCross,
        bsDiagCross,
    };
    Q_ENUM(TBrushStyle)

    explicit TBrush(QObject* parent = nullptr);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    TBitmap* Bitmap() const;
    // A pattern bitmap overrides Color and Style while it is set.
    void SetBitmap(TBitmap* bitmap);

    void Assign(const TPersistent* source) override;

    // The Qt brush this description fills with (Qt::NoBrush for bsClear).
    QBrush ToQBrush() const;

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    QPointer<QObject> bitmap_; // a TBitmap; QObject so this header needs no Bitmap.h
};

using TBrushStyle = TBrush::TBrushStyle;
constexpr TBrushStyle bsSolid = TBrush::bsSolid;
constexpr TBrushStyle bsClear = TBrush::bsClear;
constexpr TBrushStyle bsHorizontal = TBrush::bsHorizontal;
constexpr TBrushStyle bsVertical = TBrush::bsVertical;
constexpr TBrushStyle bsFDiagonal = TBrush::bsFDiagonal;
constexpr TBrushStyle bsBDiagonal = TBrush::bsBDiagonal;
constexpr TBrushStyle bsCross = TBrush::bsCross;
constexpr TBrushStyle bsDiagCross = TBrush::bsDiagCross;
