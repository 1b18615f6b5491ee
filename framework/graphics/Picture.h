#pragma once

#include "framework/core/Persistent.h"

#include <QByteArray>
#include <QString>
#include <memory>

class TBitmap;
class TGraphic;

// Holds one graphic (owned). Changes of the graphic fire the picture's OnChange.
class TPicture : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width)
    Q_PROPERTY(int Height READ Height)
    Q_PROPERTY(QByteArray Data READ Data WRITE SetData)
public:
    explicit TPicture(QObject* parent = nullptr);
    ~TPicture() override;

    TGraphic* Graphic() const { return graphic_; }
    // Stores a copy of graphic (nullptr empties the picture).
    void SetGraphic(const TGraphic* graphic);
    // The graphic as a bitmap; an empty picture (or one holding another kind of
    // graphic) gets a new, empty bitmap first.
    TBitmap* Bitmap();

    int Width() const;
    int Height() const;

    bool LoadFromFile(const QString& fileName);
    // The stored form of layouts: the graphic's class name (one length byte, then the
    // name) and the graphic's own data. An unknown class empties the picture.
    QByteArray Data() const;
    void SetData(const QByteArray& data);
    bool SaveToFile(const QString& fileName) const;
    // Copies a picture's or a graphic's content; nullptr empties the picture.
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Adopt(TGraphic* graphic);
    void Changed();

    TGraphic* graphic_ = nullptr;
};
