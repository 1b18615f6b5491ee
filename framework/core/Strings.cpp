#include "framework/core/Strings.h"

#include <algorithm>

namespace {

[[noreturn]] void ThrowIndexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

void TStrings::Put(int index, const QString& value) {
    QObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, value, object);
    EndUpdate();
}

QObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, QObject*) {}

int TStrings::Add(const QString& value) {
    const int index = Count();
    Insert(index, value);
    return index;
}

int TStrings::AddObject(const QString& value, QObject* object) {
    const int index = Add(value);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const QString& value, QObject* object) {
    Insert(index, value);
    PutObject(index, object);
}

int TStrings::IndexOf(const QString& value) const {
    for (int i = 0; i < Count(); ++i) {
        if (Get(i).compare(value, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

int TStrings::IndexOfObject(const QObject* object) const {
    for (int i = 0; i < Count(); ++i) {
        if (GetObject(i) == object) {
            return i;
        }
    }
    return -1;
}

QString TStrings::Text() const {
    QString text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += lineBreak_;
    }
    return text;
}

void TStrings::SetText(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (text[i] == QLatin1Char('\r') && i + 1 < text.size() &&
                text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.append(text.mid(start));
    }
    SetStrings(lines);
}

QStringList TStrings::ToStringList() const {
    QStringList lines;
    lines.reserve(Count());
    for (int i = 0; i < Count(); ++i) {
        lines.append(Get(i));
    }
    return lines;
}

void TStrings::SetStrings(const QStringList& lines) {
    BeginUpdate();
    Clear();
    for (const QString& line : lines) {
        Add(line);
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) {
        SetUpdateState(true);
    }
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) {
        SetUpdateState(false);
    }
}

void TStrings::SetUpdateState(bool) {}

void TStrings::AddStrings(const TStrings* strings) {
    if (strings == nullptr) {
        return;
    }
    // A copy first, so that adding a list to itself doubles it once.
    QList<std::pair<QString, QObject*>> items;
    for (int i = 0; i < strings->Count(); ++i) {
        items.append({strings->Get(i), strings->GetObject(i)});
    }
    BeginUpdate();
    for (const auto& [text, object] : items) {
        AddObject(text, object);
    }
    EndUpdate();
}

void TStrings::Assign(const TPersistent* source) {
    if (source == this) {
        return;
    }
    const auto* strings = qobject_cast<const TStrings*>(source);
    if (source != nullptr && strings == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    Clear();
    AddStrings(strings);
    EndUpdate();
}

TStringList::TStringList(QObject* parent) : TStrings(parent) {}

void TStringList::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count) {
        ThrowIndexError(index);
    }
}

int TStringList::Compare(const QString& a, const QString& b) const {
    return a.compare(b, caseSensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void TStringList::Changing() {
    if (UpdateCount() > 0) {
        if (!changingSent_ && OnChanging) {
            OnChanging(this);
        }
        changingSent_ = true;
        return;
    }
    if (OnChanging) {
        OnChanging(this);
    }
}

void TStringList::Changed() {
    if (UpdateCount() > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (OnChange) {
        OnChange(this);
    }
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        changingSent_ = false;
        changedWhileUpdating_ = false;
        return;
    }
    const bool changed = changedWhileUpdating_;
    changingSent_ = false;
    changedWhileUpdating_ = false;
    if (changed && OnChange) {
        OnChange(this);
    }
}

QString TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return items_[index].text;
}

void TStringList::Put(int index, const QString& value) {
    if (sorted_) {
        throw EStringListError("Operation not allowed on sorted list");
    }
    CheckIndex(index, Count());
    Changing();
    items_[index].text = value;
    Changed();
}

QObject* TStringList::GetObject(int index) const {
    CheckIndex(index, Count());
    return items_[index].object;
}

void TStringList::PutObject(int index, QObject* object) {
    CheckIndex(index, Count());
    Changing();
    items_[index].object = object;
    Changed();
}

void TStringList::InsertItem(int index, const QString& value, QObject* object) {
    Changing();
    items_.insert(index, Item{value, object});
    Changed();
}

void TStringList::Insert(int index, const QString& value) {
    if (sorted_) {
        throw EStringListError("Operation not allowed on sorted list");
    }
    CheckIndex(index, Count() + 1);
    InsertItem(index, value, nullptr);
}

int TStringList::Add(const QString& value) {
    if (!sorted_) {
        const int index = Count();
        InsertItem(index, value, nullptr);
        return index;
    }
    int index = 0;
    if (Find(value, index)) {
        switch (duplicates_) {
        case dupIgnore:
            return index;
        case dupError:
            throw EStringListError("String list does not allow duplicates");
        case dupAccept:
            break;
        }
    }
    InsertItem(index, value, nullptr);
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    items_.removeAt(index);
    Changed();
}

void TStringList::Clear() {
    if (items_.isEmpty()) {
        return;
    }
    Changing();
    items_.clear();
    Changed();
}

bool TStringList::Find(const QString& value, int& index) const {
    int low = 0;
    int high = Count();
    bool found = false;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const int order = Compare(items_[middle].text, value);
        if (order < 0) {
            low = middle + 1;
        } else {
            // Keep searching left, so index is the first of equal strings.
            found = found || order == 0;
            high = middle;
        }
    }
    index = low;
    return found;
}

int TStringList::IndexOf(const QString& value) const {
    if (sorted_) {
        int index = 0;
        return Find(value, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (Compare(items_[i].text, value) == 0) {
            return i;
        }
    }
    return -1;
}

void TStringList::Sort() {
    if (Count() < 2) {
        return;
    }
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}

void TStringList::Exchange(int first, int second) {
    CheckIndex(first, Count());
    CheckIndex(second, Count());
    if (first == second) {
        return;
    }
    Changing();
    items_.swapItemsAt(first, second);
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) {
        return;
    }
    if (sorted) {
        Sort();
    }
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == caseSensitive_) {
        return;
    }
    caseSensitive_ = caseSensitive;
    if (sorted_) {
        Sort();
    }
}
