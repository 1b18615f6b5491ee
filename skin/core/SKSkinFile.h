// The skin-file format: a whole file image parsed into its entries, and written from
// entries. Parsing trusts nothing in the image: every offset, size and chain link is
// checked, and a refusal is an error text saying what is wrong.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

enum class TskSkinEntryType : std::uint8_t {
    Picture = 0,
    Integer = 1,
    Flag = 2,
    Text = 3,
};

struct TskSkinEntry {
    QString key;
    TskSkinEntryType type = TskSkinEntryType::Integer;
    // The entry's data bytes: a .bmp file image, 4 bytes of a little-endian integer,
    // one flag byte, or text without a terminator.
    QByteArray data;
};

inline constexpr char SkinFileSignature[] = "SkinKit_TB";
inline constexpr int SkinSignatureSize = 12;
inline constexpr int SkinHeaderSize = 24;
inline constexpr int SkinRecordSize = 77;
inline constexpr int SkinKeySize = 64;
// No skin needs more; a larger file is refused before it is read.
inline constexpr qint64 SkinFileSizeLimit = 64 * 1024 * 1024;
// Theme pictures are small; larger ones are refused before they are decoded.
inline constexpr qint64 SkinPicturePixelLimit = 2048 * 2048;

struct TskSkinParseResult {
    // In chain order; entries of unknown types are not kept.
    QList<TskSkinEntry> entries;
    // Empty when the image was accepted.
    QString error;
    bool Ok() const { return error.isEmpty(); }
};

struct TskFileReadResult {
    QByteArray data;
    // Empty when the file was read; otherwise names the file and the problem.
    QString error;
    bool Ok() const { return error.isEmpty(); }
};

// Reads a whole regular file of at most limit bytes, never reading more than limit + 1:
// devices, FIFOs and folders are refused before they are opened, so nothing can make a
// read grow without bound or wait forever.
TskFileReadResult ReadBoundedFile(const QString& path, qint64 limit);

// What the reader refuses in one entry (a type's data of the wrong size, a picture that is
// not a sane bitmap), or an empty text. Reader and writer share it.
QString SkinEntryProblem(const TskSkinEntry& entry);

// What keeps entries from being written as a skin file that reads back the same: an entry
// the reader refuses, a key that does not fit its 64-byte field, a key given twice (the
// reader only ever finds the first), or a file larger than the reader takes.
QString SkinEntriesProblem(const QList<TskSkinEntry>& entries);

// Whether the first 12 bytes hold the signature followed by a zero byte (letter case counts).
bool HasSkinSignature(const QByteArray& head);

// Parses a whole file image; the error text does not name the file.
TskSkinParseResult ParseSkinFile(const QByteArray& image);

// Checks that data is a complete, decodable .bmp file image of a sane size; returns the
// problem, or an empty text when it is one.
QString CheckBitmapImage(const QByteArray& data);

// The file image of entries: header, then each record followed by its data, then the
// terminating record. Entries should pass SkinEntriesProblem first.
QByteArray WriteSkinFile(const QList<TskSkinEntry>& entries);

// Data of an integer entry (colours in the platform's order, red in the low byte).
QByteArray SkinIntegerData(std::int32_t value);
std::int32_t SkinIntegerValue(const QByteArray& data);
