#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Types.h"

#include <QString>

class QIODevice;
class TCanvas;

// A picture that can draw itself onto a canvas. Loading reports failure by its result
// and leaves the graphic unchanged.
class TGraphic : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
public:
    using TPersistent::TPersistent;

    virtual int Width() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Empty() const = 0;
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);

    // Draws the graphic stretched to rect (at its own size when rect matches it).
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;

    virtual bool LoadFromFile(const QString& fileName) = 0;
    virtual bool SaveToFile(const QString& fileName) const = 0;
    // Reads one stored graphic from the stream's current position and leaves the
    // stream just behind it.
    virtual bool LoadFromStream(QIODevice& stream) = 0;

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    bool transparent_ = false;
};
