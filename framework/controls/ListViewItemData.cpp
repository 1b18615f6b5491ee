// The stored form of a list view's rows, read from and written to layouts.
#include "framework/controls/ListView.h"

#include <QtEndian>
#include <stdexcept>

namespace {

constexpr int kNumbersPerRow = 5;

// Reads the block front to back; any read past its end refuses the data.
class TItemDataReader {
public:
    explicit TItemDataReader(const QByteArray& data) : FData(data) {}

    qint32 Number() {
        Need(4);
        const qint32 value = qFromLittleEndian<qint32>(FData.constData() + FPos);
        FPos += 4;
        return value;
    }
    QString Text() {
        Need(1);
        const int length = static_cast<quint8>(FData.at(FPos++));
        Need(length);
        const QString text = QString::fromLatin1(FData.constData() + FPos, length);
        FPos += length;
        return text;
    }
    qsizetype Left() const { return FData.size() - FPos; }

private:
    void Need(qsizetype bytes) const {
        if (bytes > Left()) {
            throw std::runtime_error("the item data ends too early");
        }
    }

    const QByteArray& FData;
    qsizetype FPos = 0;
};

struct TStoredRow {
    QString Caption;
    QStringList SubItems;
};

void AppendNumber(QByteArray& data, qint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    data.append(bytes, 4);
}

// Single-byte text of at most 255 characters, as the stored form holds it.
void AppendText(QByteArray& data, const QString& text) {
    const QByteArray bytes = text.left(255).toLatin1();
    data.append(static_cast<char>(bytes.size()));
    data.append(bytes);
}

} // namespace

TListItemsData::TListItemsData(TCustomListView* listView)
    : TPersistent(listView), FListView(listView) {}

QByteArray TListItemsData::Data() const {
    const TListItems* items = FListView->Items();
    QByteArray data;
    AppendNumber(data, 0);
    AppendNumber(data, items->Count());
    for (int row = 0; row < items->Count(); ++row) {
        const TListItem* item = items->Item(row);
        const TStrings* subItems = item->SubItems();
        for (const qint32 number : {-1, -1, -1, static_cast<qint32>(subItems->Count()), 0}) {
            AppendNumber(data, number);
        }
        AppendText(data, item->Caption());
        for (int i = 0; i < subItems->Count(); ++i) {
            AppendText(data, subItems->Get(i));
        }
    }
    qToLittleEndian(static_cast<qint32>(data.size()), data.data());
    return data;
}

void TListItemsData::SetData(const QByteArray& data) {
    TItemDataReader reader(data);
    const qint32 size = reader.Number();
    const qint32 count = reader.Number();
    // Every row takes at least its numbers and a caption length.
    const qsizetype smallestRow = kNumbersPerRow * 4 + 1;
    if (size != data.size() || count < 0 || count > reader.Left() / smallestRow) {
        throw std::runtime_error("the item data does not hold together");
    }
    QList<TStoredRow> rows;
    rows.reserve(count);
    for (int row = 0; row < count; ++row) {
        qint32 numbers[kNumbersPerRow];
        for (qint32& number : numbers) {
            number = reader.Number();
        }
        const qint32 subItemCount = numbers[3];
        if (subItemCount < 0 || subItemCount > reader.Left()) {
            throw std::runtime_error("the item data does not hold together");
        }
        TStoredRow stored{reader.Text(), {}};
        for (int i = 0; i < subItemCount; ++i) {
            stored.SubItems.append(reader.Text());
        }
        rows.append(stored);
    }
    // Sub-item image indexes may follow; the report view draws no images.
    TListItems* items = FListView->Items();
    items->BeginUpdate();
    items->Clear();
    for (const TStoredRow& stored : rows) {
        TListItem* item = items->Add();
        item->SetCaption(stored.Caption);
        for (const QString& text : stored.SubItems) {
            item->SubItems()->Add(text);
        }
    }
    items->EndUpdate();
}
