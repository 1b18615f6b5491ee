#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Colors.h"

// The pen lines and outlines are drawn with. Width 1 is the cosmetic one-pixel pen;
// the dash styles use the classic pixel patterns, and their gaps are left untouched.
class TPen : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TPenMode Mode READ Mode WRITE SetMode)
public:
    enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
    Q_ENUM(TPenStyle)

    // pmCopy draws the pen colour, pmXor combines it with the target, pmNot inverts the
    // target, pmNop draws nothing; the other modes draw like pmCopy.
    enum TPenMode {
        pmBlack,
        pmWhite,
        pmNop,
        pmNot,
        pmCopy,
        pmNotCopy,
        pmMergePenNot,
        pmMaskPenNot,
        pmMergeNotPen,
        pmMaskNotPen,
        pmMerge,
        pmNotMerge,
        pmMask,
        pmNotMask,
        pmXor,
        pmNotXor,
    };
    Q_ENUM(TPenMode)

    explicit TPen(QObject* parent = nullptr);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);

    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

using TPenStyle = TPen::TPenStyle;
using TPenMode = TPen::TPenMode;
constexpr TPenStyle psSolid = TPen::psSolid;
constexpr TPenStyle psDash = TPen::psDash;
constexpr TPenStyle psDot = TPen::psDot;
constexpr TPenStyle psDashDot = TPen::psDashDot;
constexpr TPenStyle psDashDotDot = TPen::psDashDotDot;
constexpr TPenStyle psClear = TPen::psClear;
constexpr TPenStyle psInsideFrame = TPen::psInsideFrame;
constexpr TPenMode pmCopy = TPen::pmCopy;
constexpr TPenMode pmXor = TPen::pmXor;
constexpr TPenMode pmNot = TPen::pmNot;
constexpr TPenMode pmNop = TPen::pmNop;
