#include "framework/graphics/Picture.h"

#include "framework/graphics/Bitmap.h"

TPicture::TPicture(QObject* parent) : TPersistent(parent) {}

TPicture::~TPicture() = default;

void TPicture::Adopt(TGraphic* graphic) {
    if (graphic_ != nullptr) {
        graphic_->OnChange = nullptr;
        delete graphic_;
    }
    graphic_ = graphic;
    if (graphic_ != nullptr) {
        graphic_->setParent(this);
        graphic_->OnChange = [this](TObject*) { Changed(); };
    }
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic == graphic_) {
        return;
    }
    TGraphic* copy = nullptr;
    if (graphic != nullptr) {
        // Bitmaps are the only graphics the framework stores.
        copy = new TBitmap(this);
        copy->Assign(graphic);
    }
    Adopt(copy);
    Changed();
}

TBitmap* TPicture::Bitmap() {
    auto* bitmap = qobject_cast<TBitmap*>(graphic_);
    if (bitmap == nullptr) {
        bitmap = new TBitmap(this);
        Adopt(bitmap);
        Changed();
    }
    return bitmap;
}

int TPicture::Width() const {
    return graphic_ != nullptr ? graphic_->Width() : 0;
}

int TPicture::Height() const {
    return graphic_ != nullptr ? graphic_->Height() : 0;
}

bool TPicture::LoadFromFile(const QString& fileName) {
    auto* bitmap = new TBitmap(this);
    if (!bitmap->LoadFromFile(fileName)) {
        delete bitmap;
        return false;
    }
    Adopt(bitmap);
    Changed();
    return true;
}

bool TPicture::SaveToFile(const QString& fileName) const {
    return graphic_ != nullptr && graphic_->SaveToFile(fileName);
}

void TPicture::Assign(const TPersistent* source) {
    if (source == nullptr) {
        SetGraphic(nullptr);
    } else if (const auto* picture = qobject_cast<const TPicture*>(source)) {
        if (picture != this) {
            SetGraphic(picture->Graphic());
        }
    } else if (const auto* graphic = qobject_cast<const TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

namespace {

const QByteArray BitmapClassName = QByteArrayLiteral("TBitmap");

} // namespace

QByteArray TPicture::Data() const {
    const auto* bitmap = qobject_cast<const TBitmap*>(graphic_);
    if (bitmap == nullptr || bitmap->Empty()) {
        return {};
    }
    return char(BitmapClassName.size()) + BitmapClassName + bitmap->Data();
}

void TPicture::SetData(const QByteArray& data) {
    const int nameLength = data.isEmpty() ? 0 : static_cast<unsigned char>(data.at(0));
    if (data.size() > nameLength && data.mid(1, nameLength) == BitmapClassName) {
        Bitmap()->SetData(data.mid(1 + nameLength));
        return;
    }
    SetGraphic(nullptr);
}
