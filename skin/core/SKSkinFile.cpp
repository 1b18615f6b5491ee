#include "skin/core/SKSkinFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QtEndian>
#include <cstring>

namespace {

constexpr int FirstEntryOffsetField = 20;
constexpr int HeaderSizeField = 12;
constexpr int RecordTypeField = 64;
constexpr int RecordDataOffsetField = 65;
constexpr int RecordDataSizeField = 69;
constexpr int RecordNextField = 73;

constexpr int BitmapFileHeaderSize = 14;
constexpr int CoreInfoHeaderSize = 12;
constexpr int InfoHeaderSize = 40;
constexpr std::uint32_t CompressionRgb = 0;
constexpr std::uint32_t CompressionRle8 = 1;
constexpr std::uint32_t CompressionRle4 = 2;
constexpr std::uint32_t CompressionBitFields = 3;

std::uint32_t ReadU32(const char* at) {
    return qFromLittleEndian<std::uint32_t>(at);
}

QString KeyOf(const char* record) {
    const void* zero = std::memchr(record, 0, SkinKeySize);
    const int length = zero != nullptr ? int(static_cast<const char*>(zero) - record) : SkinKeySize;
    return QString::fromLatin1(record, length);
}

bool Fits(qint64 offset, qint64 size, qint64 total) {
    return offset >= 0 && size >= 0 && offset <= total && size <= total - offset;
}

QString RecordProblem(const QByteArray& image, std::uint32_t offset) {
    if (!Fits(offset, SkinRecordSize, image.size())) {
        return QStringLiteral("the entry record at offset %1 lies outside the file (%2 bytes)")
            .arg(offset)
            .arg(image.size());
    }
    return {};
}

} // namespace

bool HasSkinSignature(const QByteArray& head) {
    if (head.size() < SkinSignatureSize) {
        return false;
    }
    const QByteArray field = head.left(SkinSignatureSize);
    const qsizetype zero = field.indexOf('\0');
    return zero >= 0 && field.left(zero) == SkinFileSignature;
}

QString CheckBitmapImage(const QByteArray& data) {
    if (data.size() < BitmapFileHeaderSize + CoreInfoHeaderSize) {
        return QStringLiteral("it is too short for a bitmap (%1 bytes)").arg(data.size());
    }
    const char* bytes = data.constData();
    if (bytes[0] != 'B' || bytes[1] != 'M') {
        return QStringLiteral("it does not start with a bitmap file header");
    }
    const std::uint32_t pixelOffset = ReadU32(bytes + 10);
    const std::uint32_t infoSize = ReadU32(bytes + BitmapFileHeaderSize);
    if (infoSize < CoreInfoHeaderSize || !Fits(BitmapFileHeaderSize, infoSize, data.size())) {
        return QStringLiteral("its bitmap header size %1 does not fit the data").arg(infoSize);
    }
    const char* info = bytes + BitmapFileHeaderSize;
    qint64 width = 0;
    qint64 height = 0;
    int bitsPerPixel = 0;
    std::uint32_t compression = CompressionRgb;
    if (infoSize == CoreInfoHeaderSize) {
        width = qFromLittleEndian<std::uint16_t>(info + 4);
        height = qFromLittleEndian<std::uint16_t>(info + 6);
        bitsPerPixel = qFromLittleEndian<std::uint16_t>(info + 10);
    } else if (infoSize >= InfoHeaderSize) {
        width = qFromLittleEndian<std::int32_t>(info + 4);
        height = qFromLittleEndian<std::int32_t>(info + 8);
        bitsPerPixel = qFromLittleEndian<std::uint16_t>(info + 14);
        compression = ReadU32(info + 16);
    } else {
        return QStringLiteral("its bitmap header size %1 is unknown").arg(infoSize);
    }
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0 || width * height > SkinPicturePixelLimit) {
        return QStringLiteral("its size %1 x %2 is not a sane picture size").arg(width).arg(height);
    }
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return QStringLiteral("%1 bits per pixel is not a bitmap depth").arg(bitsPerPixel);
    }
    if (infoSize >= InfoHeaderSize && bitsPerPixel <= 8) {
        const std::uint32_t coloursUsed = ReadU32(info + 32);
        if (coloursUsed > (1u << bitsPerPixel)) {
            return QStringLiteral("its colour table of %1 entries is larger than %2 bits allow")
                .arg(coloursUsed)
                .arg(bitsPerPixel);
        }
    }
    if (compression != CompressionRgb && compression != CompressionBitFields &&
        compression != CompressionRle8 && compression != CompressionRle4) {
        return QStringLiteral("compression %1 is unknown").arg(compression);
    }
    if (pixelOffset >= std::uint32_t(data.size())) {
        return QStringLiteral("its pixel data offset %1 lies outside the data").arg(pixelOffset);
    }
    if (compression == CompressionRgb || compression == CompressionBitFields) {
        const qint64 stride = ((width * bitsPerPixel + 31) / 32) * 4;
        if (!Fits(pixelOffset, stride * height, data.size())) {
            return QStringLiteral("its pixel data is cut short");
        }
    }
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const QImage image = reader.read();
    if (image.isNull()) {
        return QStringLiteral("it cannot be decoded as a bitmap");
    }
    return {};
}

TskFileReadResult ReadBoundedFile(const QString& path, qint64 limit) {
    TskFileReadResult result;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.error = QStringLiteral("%1: not a regular file").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return result;
    }
    result.data = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        result.data.clear();
        result.error = QStringLiteral("%1: %2").arg(path, file.errorString());
    } else if (result.data.size() > limit) {
        result.data.clear();
        result.error = QStringLiteral("%1: the file is larger than %2 bytes").arg(path).arg(limit);
    }
    return result;
}

QString SkinEntryProblem(const TskSkinEntry& entry) {
    switch (entry.type) {
    case TskSkinEntryType::Integer:
    case TskSkinEntryType::Flag: {
        const bool integer = entry.type == TskSkinEntryType::Integer;
        const int expected = integer ? 4 : 1;
        if (entry.data.size() != expected) {
            return QStringLiteral("the %1 entry \"%2\" has %3 bytes, not %4")
                .arg(integer ? QStringLiteral("integer") : QStringLiteral("flag"), entry.key)
                .arg(entry.data.size())
                .arg(expected);
        }
        break;
    }
    case TskSkinEntryType::Picture:
        if (const QString problem = CheckBitmapImage(entry.data); !problem.isEmpty()) {
            return QStringLiteral("the picture entry \"%1\" is not a valid bitmap: %2")
                .arg(entry.key, problem);
        }
        break;
    case TskSkinEntryType::Text:
        break;
    }
    return {};
}

QString SkinEntriesProblem(const QList<TskSkinEntry>& entries) {
    QSet<QString> keys;
    qint64 size = SkinHeaderSize + SkinRecordSize;
    for (const TskSkinEntry& entry : entries) {
        const QByteArray key = entry.key.toLatin1();
        if (key.isEmpty() || key.size() > SkinKeySize || key.contains('\0') ||
            QString::fromLatin1(key) != entry.key) {
            return QStringLiteral("the key \"%1\" does not fit a skin file's key field")
                .arg(entry.key);
        }
        if (const QString problem = SkinEntryProblem(entry); !problem.isEmpty()) {
            return problem;
        }
        const QString folded = entry.key.toCaseFolded();
        if (keys.contains(folded)) {
            return QStringLiteral("the key \"%1\" is given twice").arg(entry.key);
        }
        keys.insert(folded);
        size += SkinRecordSize + entry.data.size();
    }
    if (size > SkinFileSizeLimit) {
        return QStringLiteral("the skin file would have %1 bytes, more than the %2 a skin file "
                              "may have")
            .arg(size)
            .arg(SkinFileSizeLimit);
    }
    return {};
}

TskSkinParseResult ParseSkinFile(const QByteArray& image) {
    TskSkinParseResult result;
    auto refuse = [&result](const QString& problem) {
        result.entries.clear();
        result.error = problem;
        return result;
    };
    if (image.size() > SkinFileSizeLimit) {
        return refuse(QStringLiteral("the file is larger than %1 bytes").arg(SkinFileSizeLimit));
    }
    if (image.size() < SkinHeaderSize) {
        return refuse(QStringLiteral("the file is shorter than a skin-file header (%1 bytes)")
                          .arg(image.size()));
    }
    if (!HasSkinSignature(image)) {
        return refuse(QStringLiteral("the file does not start with the signature SkinKit_TB"));
    }
    const std::uint32_t headerSize = ReadU32(image.constData() + HeaderSizeField);
    if (headerSize != SkinHeaderSize) {
        return refuse(
            QStringLiteral("the header size is %1, not %2").arg(headerSize).arg(SkinHeaderSize));
    }
    std::uint32_t offset = ReadU32(image.constData() + FirstEntryOffsetField);
    // Distinct offsets bound the chain, so a link back to a visited record ends it.
    QSet<std::uint32_t> visited;
    while (true) {
        if (const QString problem = RecordProblem(image, offset); !problem.isEmpty()) {
            return refuse(problem);
        }
        if (visited.contains(offset)) {
            return refuse(QStringLiteral("the entry chain loops back to offset %1").arg(offset));
        }
        visited.insert(offset);
        const char* record = image.constData() + offset;
        const std::uint32_t next = ReadU32(record + RecordNextField);
        if (next == 0) {
            break;
        }
        const QString key = KeyOf(record);
        const auto type = static_cast<std::uint8_t>(record[RecordTypeField]);
        const std::uint32_t dataOffset = ReadU32(record + RecordDataOffsetField);
        const std::uint32_t dataSize = ReadU32(record + RecordDataSizeField);
        if (type <= std::uint8_t(TskSkinEntryType::Text)) {
            if (!Fits(dataOffset, dataSize, image.size())) {
                return refuse(QStringLiteral("the data of entry \"%1\" (offset %2, %3 bytes) lies "
                                             "outside the file (%4 bytes)")
                                  .arg(key)
                                  .arg(dataOffset)
                                  .arg(dataSize)
                                  .arg(image.size()));
            }
            TskSkinEntry entry{key, TskSkinEntryType(type), image.mid(dataOffset, dataSize)};
            if (const QString problem = SkinEntryProblem(entry); !problem.isEmpty()) {
                return refuse(problem);
            }
            result.entries.append(std::move(entry));
        }
        offset = next;
    }
    return result;
}

QByteArray SkinIntegerData(std::int32_t value) {
    QByteArray data(4, '\0');
    qToLittleEndian(value, data.data());
    return data;
}

std::int32_t SkinIntegerValue(const QByteArray& data) {
    return data.size() == 4 ? qFromLittleEndian<std::int32_t>(data.constData()) : -1;
}

QByteArray WriteSkinFile(const QList<TskSkinEntry>& entries) {
    QByteArray image(SkinHeaderSize, '\0');
    std::memcpy(image.data(), SkinFileSignature, sizeof(SkinFileSignature) - 1);
    qToLittleEndian<std::uint32_t>(SkinHeaderSize, image.data() + HeaderSizeField);
    qToLittleEndian<std::uint32_t>(SkinHeaderSize, image.data() + FirstEntryOffsetField);
    auto appendRecord = [&image](const TskSkinEntry& entry, bool last) {
        QByteArray record(SkinRecordSize, '\0');
        const QByteArray key = entry.key.toLatin1().left(SkinKeySize);
        std::memcpy(record.data(), key.constData(), size_t(key.size()));
        record[RecordTypeField] = char(entry.type);
        const auto dataOffset = std::uint32_t(image.size() + SkinRecordSize);
        qToLittleEndian<std::uint32_t>(dataOffset, record.data() + RecordDataOffsetField);
        qToLittleEndian<std::uint32_t>(std::uint32_t(entry.data.size()),
                                       record.data() + RecordDataSizeField);
        const std::uint32_t next = last ? 0 : dataOffset + std::uint32_t(entry.data.size());
        qToLittleEndian<std::uint32_t>(next, record.data() + RecordNextField);
        image += record;
        image += entry.data;
    };
    for (const TskSkinEntry& entry : entries) {
        appendRecord(entry, false);
    }
    appendRecord(TskSkinEntry{}, true);
    return image;
}
