// Hand-laid skin-file images for the reader's tests: header and records at chosen
// offsets, so broken chains, sizes and offsets can be written on purpose.
#pragma once

#include "skin/core/SKSkinFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QtEndian>
#include <cstring>

class RawSkinImage {
public:
    explicit RawSkinImage(std::uint32_t firstEntry = 24, std::uint32_t headerSize = 24) {
        Put(0, QByteArray("SkinKit_TB\0\0", 12));
        PutU32(12, headerSize);
        PutU32(20, firstEntry);
    }

    RawSkinImage& Record(std::uint32_t at, const QByteArray& key, std::uint8_t type,
                         std::uint32_t dataOffset, std::uint32_t size, std::uint32_t next) {
        QByteArray record(SkinRecordSize, '\0');
        std::memcpy(record.data(), key.constData(), size_t(std::min<qsizetype>(key.size(), 64)));
        record[64] = char(type);
        qToLittleEndian(dataOffset, record.data() + 65);
        qToLittleEndian(size, record.data() + 69);
        qToLittleEndian(next, record.data() + 73);
        Put(at, record);
        return *this;
    }

    RawSkinImage& Put(std::uint32_t at, const QByteArray& bytes) {
        if (FImage.size() < qsizetype(at) + bytes.size()) {
            FImage.resize(at + bytes.size(), '\0');
        }
        std::memcpy(FImage.data() + at, bytes.constData(), size_t(bytes.size()));
        return *this;
    }

    RawSkinImage& PutU32(std::uint32_t at, std::uint32_t value) {
        QByteArray bytes(4, '\0');
        qToLittleEndian(value, bytes.data());
        return Put(at, bytes);
    }

    const QByteArray& Bytes() const { return FImage; }

private:
    QByteArray FImage;
};

// The .bmp file image of a small picture filled with one colour.
inline QByteArray BitmapData(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(color);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}
