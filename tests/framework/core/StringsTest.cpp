#include "framework/core/Strings.h"

#include <QVariant>
#include <gtest/gtest.h>

namespace {

// Records the order of change events.
struct EventLog {
    QStringList events;
    void Attach(TStringList& list) {
        list.OnChanging = [this](TObject*) { events.append(QStringLiteral("changing")); };
        list.OnChange = [this](TObject*) { events.append(QStringLiteral("change")); };
    }
};

// The smallest TStrings over outside storage, as an adapter of a control's lines is.
class VectorStrings : public TStrings {
public:
    QStringList lines;
    int Count() const override { return static_cast<int>(lines.size()); }
    QString Get(int index) const override { return lines.at(index); }
    void Insert(int index, const QString& value) override { lines.insert(index, value); }
    void Delete(int index) override { lines.removeAt(index); }
    void Clear() override { lines.clear(); }
    int updateStates = 0;

protected:
    void SetUpdateState(bool) override { ++updateStates; }
};

} // namespace

TEST(StringList, AddInsertDeleteAndBounds) {
    TStringList list;
    EXPECT_EQ(list.Add(QStringLiteral("b")), 0);
    EXPECT_EQ(list.Add(QStringLiteral("c")), 1);
    list.Insert(0, QStringLiteral("a"));
    list.Insert(3, QStringLiteral("d"));
    EXPECT_EQ(list.ToStringList(), QStringList({"a", "b", "c", "d"}));
    list.Delete(1);
    list.Put(0, QStringLiteral("A"));
    EXPECT_EQ(list.ToStringList(), QStringList({"A", "c", "d"}));
    EXPECT_THROW(list.Get(3), EStringListError);
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Insert(5, QStringLiteral("x")), EStringListError);
    EXPECT_THROW(list.Delete(3), EStringListError);
    EXPECT_EQ(list.Count(), 3);
    list.Exchange(0, 2);
    EXPECT_EQ(list[0], QStringLiteral("d"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, TextJoinsWithLineBreaksAndSplitsAnyOfThem) {
    TStringList list;
    list.SetText(QStringLiteral("one\r\ntwo\nthree\rfour"));
    EXPECT_EQ(list.ToStringList(), QStringList({"one", "two", "three", "four"}));
    EXPECT_EQ(list.Text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n"));
    list.SetText(QStringLiteral("a\r\n\r\nb\r\n"));
    EXPECT_EQ(list.ToStringList(), QStringList({"a", "", "b"}));
    list.SetLineBreak(QStringLiteral("\n"));
    EXPECT_EQ(list.Text(), QStringLiteral("a\n\nb\n"));
    list.SetText(QString());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), QString());
    list.SetText(QStringLiteral("\n"));
    EXPECT_EQ(list.ToStringList(), QStringList({""}));
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates) {
    TStringList list;
    list.Add(QStringLiteral("pear"));
    list.Add(QStringLiteral("Apple"));
    list.Add(QStringLiteral("fig"));
    list.SetSorted(true);
    EXPECT_EQ(list.ToStringList(), QStringList({"Apple", "fig", "pear"}));
    EXPECT_EQ(list.Add(QStringLiteral("banana")), 1);
    EXPECT_EQ(list.Add(QStringLiteral("APPLE")), 0); // dupIgnore, case-insensitive
    EXPECT_EQ(list.Count(), 4);
    int index = -1;
    EXPECT_TRUE(list.Find(QStringLiteral("FIG"), index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find(QStringLiteral("grape"), index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.IndexOf(QStringLiteral("PEAR")), 3);
    EXPECT_EQ(list.IndexOf(QStringLiteral("plum")), -1);
    EXPECT_THROW(list.Insert(0, QStringLiteral("x")), EStringListError);
    EXPECT_THROW(list.Put(0, QStringLiteral("x")), EStringListError);

    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add(QStringLiteral("fig")), EStringListError);
    EXPECT_EQ(list.Count(), 4);
    list.SetDuplicates(dupAccept);
    list.Add(QStringLiteral("fig"));
    EXPECT_EQ(list.ToStringList(), QStringList({"Apple", "banana", "fig", "fig", "pear"}));
}

TEST(StringList, CaseSensitivityChangesComparisonAndOrder) {
    TStringList list;
    list.SetCaseSensitive(true);
    list.Add(QStringLiteral("b"));
    list.Add(QStringLiteral("B"));
    EXPECT_EQ(list.IndexOf(QStringLiteral("B")), 1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("c")), -1);
    list.SetSorted(true);
    EXPECT_EQ(list.ToStringList(), QStringList({"B", "b"}));
    EXPECT_EQ(list.Add(QStringLiteral("a")), 1);
    list.SetCaseSensitive(false);
    EXPECT_EQ(list.IndexOf(QStringLiteral("A")), 0);
}

TEST(StringList, ReportsEachChangeBeforeAndAfter) {
    TStringList list;
    EventLog log;
    log.Attach(list);
    list.Add(QStringLiteral("a"));
    list.Delete(0);
    list.Clear(); // already empty: nothing changes
    EXPECT_EQ(log.events, QStringList({"changing", "change", "changing", "change"}));
}

TEST(StringList, ReportsAWholeUpdateOnceAtItsOutermostEnd) {
    TStringList list;
    EventLog log;
    log.Attach(list);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(QStringLiteral("a"));
    list.Add(QStringLiteral("b"));
    list.EndUpdate();
    EXPECT_EQ(log.events, QStringList({"changing"}));
    list.Add(QStringLiteral("c"));
    list.EndUpdate();
    EXPECT_EQ(log.events, QStringList({"changing", "change"}));

    log.events.clear();
    list.BeginUpdate();
    list.EndUpdate();
    list.EndUpdate(); // unbalanced: ignored
    EXPECT_TRUE(log.events.isEmpty());
    EXPECT_EQ(list.UpdateCount(), 0);

    list.SetText(QStringLiteral("x\ny\nz"));
    EXPECT_EQ(log.events, QStringList({"changing", "change"}));
}

TEST(StringList, KeepsObjectsBesideTheStrings) {
    QObject first;
    QObject second;
    TStringList list;
    list.AddObject(QStringLiteral("one"), &first);
    list.InsertObject(0, QStringLiteral("zero"), &second);
    EXPECT_EQ(list.GetObject(0), &second);
    EXPECT_EQ(list.GetObject(1), &first);
    EXPECT_EQ(list.IndexOfObject(&first), 1);
    list.Put(1, QStringLiteral("uno"));
    EXPECT_EQ(list.GetObject(1), &first);

    TStringList copy;
    copy.Add(QStringLiteral("old"));
    copy.Assign(&list);
    EXPECT_EQ(copy.ToStringList(), QStringList({"zero", "uno"}));
    EXPECT_EQ(copy.GetObject(1), &first);
    copy.AddStrings(&copy);
    EXPECT_EQ(copy.ToStringList(), QStringList({"zero", "uno", "zero", "uno"}));
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Count(), 0);
}

TEST(StringList, LinesCanBeSetThroughTheMetaObject) {
    TStringList list;
    EXPECT_TRUE(list.setProperty("Strings", QStringList({"first", "second"})));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.property("Text").toString(), QStringLiteral("first\r\nsecond\r\n"));
    EXPECT_TRUE(list.setProperty("Sorted", true));
    EXPECT_TRUE(list.Sorted());
}

TEST(Strings, DefaultsServeAnAdapterOverOutsideStorage) {
    VectorStrings strings;
    strings.SetText(QStringLiteral("Alpha\nbeta"));
    EXPECT_EQ(strings.lines, QStringList({"Alpha", "beta"}));
    EXPECT_EQ(strings.updateStates, 2); // SetText is one update
    EXPECT_EQ(strings.IndexOf(QStringLiteral("ALPHA")), 0);
    EXPECT_EQ(strings.IndexOf(QStringLiteral("gamma")), -1);
    strings.Put(1, QStringLiteral("Beta"));
    EXPECT_EQ(strings.lines, QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(strings.Add(QStringLiteral("Gamma")), 2);
    EXPECT_EQ(strings.GetObject(0), nullptr);

    TStringList list;
    list.Assign(&strings);
    EXPECT_EQ(list.ToStringList(), strings.lines);
    strings.Assign(&list);
    EXPECT_EQ(strings.lines, QStringList({"Alpha", "Beta", "Gamma"}));
}
