// A container panel that shows a picture (as is, stretched or tiled) with an optional
// caption on top, and can let its parent show through.
#pragma once

#include "framework/controls/Panel.h"
#include "framework/graphics/Picture.h"

class TskCustomPanel : public TCustomPanel {
    Q_OBJECT
public:
    enum TskDrawStyle { skNormal, skStretch, skTile };
    Q_ENUM(TskDrawStyle)

    explicit TskCustomPanel(TComponent* AOwner);

    TPicture* Picture() const { return FPicture; }
    void SetPicture(TPicture* picture);
    bool Transparent() const { return FTransparent; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TskDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TskDrawStyle style);
    // Where the caption was last laid out.
    TRect CaptionRect() const { return FCaptionRect; }

    virtual void SetTransparent(bool value);

protected:
    // Sets the brush to Color; fills only for a panel hosted in a foreign window, which
    // this framework has none of.
    virtual void FillBackground();
    virtual void CaptionChanged(const TRect&) {}
    virtual void PictureChanged();

    void Paint() override;
    void WMEraseBkgnd(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void WMSize(TMessage& message) override;

private:
    void ApplySizeRule();
    void SyncTransparency();

    TPicture* FPicture;
    bool FTransparent = false;
    bool FAutoSize = false;
    TskDrawStyle FDrawStyle = skNormal;
    TRect FCaptionRect;
};

class TskImagePanel : public TskCustomPanel {
    Q_OBJECT
    Q_PROPERTY(TPicture* Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TskDrawStyle DrawStyle READ DrawStyle WRITE SetDrawStyle)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
public:
    using TskCustomPanel::TskCustomPanel;
};

using TskDrawStyle = TskCustomPanel::TskDrawStyle;
