#pragma once

#include "framework/core/Persistent.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A bad index, an insertion into a sorted list, or a refused duplicate.
class EStringListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An ordered list of strings, each with an optional object (not owned). Storage is
// the descendant's: it implements Count, Get, Insert, Delete and Clear, and may
// override Put and the object accessors. Text joins the lines with LineBreak after
// each one and splits on CR LF, LF or CR.
class TStrings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(QStringList Strings READ ToStringList WRITE SetStrings)
public:
    using TPersistent::TPersistent;

    virtual int Count() const = 0;
    virtual QString Get(int index) const = 0;
    virtual void Put(int index, const QString& value);
    virtual void Insert(int index, const QString& value) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual QObject* GetObject(int index) const;
    virtual void PutObject(int index, QObject* object);

    virtual int Add(const QString& value);
    int AddObject(const QString& value, QObject* object);
    void InsertObject(int index, const QString& value, QObject* object);
    // The first index of value (compared without case), or -1.
    virtual int IndexOf(const QString& value) const;
    int IndexOfObject(const QObject* object) const;
    QString operator[](int index) const { return Get(index); }

    QString Text() const;
    void SetText(const QString& text);
    QString LineBreak() const { return lineBreak_; }
    void SetLineBreak(const QString& lineBreak) { lineBreak_ = lineBreak; }
    QStringList ToStringList() const;
    void SetStrings(const QStringList& lines);

    // Changes between the outermost BeginUpdate and EndUpdate are reported once.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    void AddStrings(const TStrings* strings);
    // Copies the lines and objects of another TStrings; nullptr clears.
    void Assign(const TPersistent* source) override;

protected:
    // Called when the outermost update begins (true) and ends (false).
    virtual void SetUpdateState(bool updating);

private:
    int updateCount_ = 0;
    QString lineBreak_ = QStringLiteral("\r\n");
};

// The string list with storage of its own. OnChanging fires before and OnChange after
// each change, or once around a whole BeginUpdate/EndUpdate that changed something.
class TStringList : public TStrings {
    Q_OBJECT
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(TDuplicates Duplicates READ Duplicates WRITE SetDuplicates)
    Q_PROPERTY(bool CaseSensitive READ CaseSensitive WRITE SetCaseSensitive)
public:
    // What Add does with a string a sorted list already holds.
    enum TDuplicates { dupIgnore, dupAccept, dupError };
    Q_ENUM(TDuplicates)

    explicit TStringList(QObject* parent = nullptr);

    int Count() const override { return static_cast<int>(items_.size()); }
    QString Get(int index) const override;
    void Put(int index, const QString& value) override;
    void Insert(int index, const QString& value) override;
    void Delete(int index) override;
    void Clear() override;
    QObject* GetObject(int index) const override;
    void PutObject(int index, QObject* object) override;
    int Add(const QString& value) override;
    int IndexOf(const QString& value) const override;

    // In a sorted list: true when value is present; index receives its position or
    // the position where it would be inserted.
    bool Find(const QString& value, int& index) const;
    void Sort();
    void Exchange(int first, int second);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        QString text;
        QObject* object = nullptr;
    };

    int Compare(const QString& a, const QString& b) const;
    void CheckIndex(int index, int count) const;
    void Changing();
    void Changed();
    void InsertItem(int index, const QString& value, QObject* object);

    QList<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
    bool changingSent_ = false;
    bool changedWhileUpdating_ = false;
};

using TDuplicates = TStringList::TDuplicates;
constexpr TDuplicates dupIgnore = TStringList::dupIgnore;
constexpr TDuplicates dupAccept = TStringList::dupAccept;
constexpr TDuplicates dupError = TStringList::dupError;
