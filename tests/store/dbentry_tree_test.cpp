// CDbEntry tree links, field removal, conflict test and merge, and links that outlive the
// record they designate (run these under AddressSanitizer).
#include <quillset/dbentry.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::string FieldNames(CDbEntry const& record)
{
    std::string out;
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        char const* field = record.GetFieldByIndex(slot);
        out += std::string(out.empty() ? "" : ",") + (field ? field : "-");
    }
    return out;
}

std::vector<CDbEntry*> Children(CDbEntry& record)
{
    std::vector<CDbEntry*> children;
    for (int i = 0; i < record.GetChildCount(); ++i)
        children.push_back(record.GetChild(i));
    return children;
}

TEST(RecordTree, SetParentListsTheRecordOnceAndMovesIt)
{
    CDbEntry p("P"), q("Q"), a("A"), b("B"), c("C");
    a.SetParent(&p);
    b.SetParent(&p);
    c.SetParent(&p);
    b.SetParent(&p);  // detaches first, so the record moves to the end, still listed once
    EXPECT_EQ(Children(p), (std::vector<CDbEntry*>{&a, &c, &b}));
    b.SetParent(&q);
    EXPECT_EQ(Children(p), (std::vector<CDbEntry*>{&a, &c}));
    EXPECT_EQ(Children(q), (std::vector<CDbEntry*>{&b}));
    EXPECT_EQ(b.GetParent(), &q);
    b.SetParent(nullptr);
    EXPECT_EQ(b.GetParent(), nullptr);
    EXPECT_EQ(q.GetChildCount(), 0);
    b.RemoveParent();  // nothing to detach
    EXPECT_EQ(b.GetParent(), nullptr);
}

TEST(RecordTree, AddChildAndRemoveChildChangeOneOccurrence)
{
    CDbEntry p("P"), other("O"), c("C");
    p.AddChild(&c);
    p.AddChild(&c);
    EXPECT_EQ(Children(p), (std::vector<CDbEntry*>{&c, &c}));
    p.RemoveChild(&c);
    EXPECT_EQ(Children(p), (std::vector<CDbEntry*>{&c}));
    EXPECT_EQ(c.GetParent(), nullptr);
    c.SetParent(&p);
    other.RemoveChild(&c);  // not listed there, still cleared
    EXPECT_EQ(c.GetParent(), nullptr);
    p.AddChild(nullptr);
    p.RemoveChild(nullptr);
    EXPECT_EQ(p.GetChildCount(), 1);
    EXPECT_EQ(p.GetChild(1), nullptr);
    EXPECT_EQ(p.GetChild(-1), nullptr);
}

TEST(RecordTree, RemoveTakesTheFirstFieldOfThatName)
{
    CDbEntry record;
    record.Set("a", "1");
    record.Set("b", "2");
    record.Set("c", "3");
    EXPECT_EQ(record.Remove("b"), 0);
    EXPECT_EQ(FieldNames(record), "a,c");
    EXPECT_STREQ(record.GetFieldByIndex(1), "c");
    EXPECT_EQ(record.Remove("b"), 1);
    EXPECT_EQ(record.Remove(nullptr), 1);

    CDbEntry digits;
    digits.Set("5", "five");
    digits.Set("x", "y");
    EXPECT_EQ(digits.Remove("2"), 1);  // a digit name is looked up by name, not as a slot
    EXPECT_EQ(digits.Remove("3"), 1);
    record.Clear();
    EXPECT_EQ(record.Remove("a"), 1);
}

// A slot that Remove frees still holds the pointers of the field that moved down from it;
// growing the record over it again must not reuse them.
TEST(RecordTree, SlotsFreedByRemoveStartEmptyWhenReused)
{
    CDbEntry record;
    record.Set("a", "1");
    record.Set("b", "2");
    record.Remove("a");
    record.Set("3", "x");
    EXPECT_EQ(FieldNames(record), "b,-,-,3");
    EXPECT_EQ(record.GetFieldByIndex(1), nullptr);
    record.Remove("b");
    record.Remove("3");
    EXPECT_EQ(record.GetFieldCount(), 2);
}

TEST(RecordTree, ConflictNeedsSameNameParentAndEqualCommonFields)
{
    CDbEntry parent("P");
    CDbEntry first("interface"), second("interface");
    first.SetParent(&parent);
    second.SetParent(&parent);
    first.Set("name", "eth0");
    first.Set("speed", "10");
    second.Set("name", "eth0");
    second.Set("mtu", "1500");
    EXPECT_FALSE(first.IsConflicting(second));
    first.Combine(second);
    EXPECT_EQ(FieldNames(first), "name,speed,mtu");

    second.Set("name", "eth1");
    EXPECT_TRUE(first.IsConflicting(second));
    second.Set("name", "eth0");
    second.RemoveParent();
    EXPECT_TRUE(first.IsConflicting(second));
    CDbEntry renamed(second);
    renamed.SetName("Interface");
    EXPECT_TRUE(second.IsConflicting(renamed));

    CDbEntry a("x"), b("x");
    a.Set("p", "1");
    b.Set("q", "2");
    EXPECT_FALSE(a.IsConflicting(b));  // no common field
    b.Set("p", "1 ");
    EXPECT_TRUE(a.IsConflicting(b));
}

TEST(RecordTree, CombinePutsDigitFieldsInTheirSlots)
{
    CDbEntry target, source;
    target.Set("a", "1");
    source.Set("3", "three");
    source.Set("a", "2");
    EXPECT_EQ(target.Combine(source), 0);
    EXPECT_EQ(FieldNames(target), "a,-,-,3");
    EXPECT_STREQ(target.Get("a"), "2");
    target.Combine(target);
    EXPECT_EQ(FieldNames(target), "a,-,-,3");
}

TEST(RecordTree, DestroyedParentReadsAsNoParent)
{
    auto parent = std::make_unique<CDbEntry>("P");
    CDbEntry child("C");
    child.SetParent(parent.get());
    CDbEntry copy(child);  // shares the parent pointer but is not listed
    parent.reset();
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_EQ(copy.GetParent(), nullptr);
    child.SetParent(nullptr);
    copy.RemoveParent();
    CDbEntry other("O");
    EXPECT_FALSE(child.IsConflicting(CDbEntry("C")));
}

TEST(RecordTree, DestroyedChildReadsAsNullInEveryListThatKeptIt)
{
    CDbEntry p("P"), q("Q");
    auto child = std::make_unique<CDbEntry>("C");
    p.AddChild(child.get());
    q.AddChild(child.get());  // now listed twice, by p and q
    p.AddChild(child.get());
    CDbEntry copyOfP(p);
    child.reset();
    EXPECT_EQ(q.GetChildCount(), 1);
    EXPECT_EQ(q.GetChild(0), nullptr);
    EXPECT_EQ(copyOfP.GetChild(0), nullptr);
    q.RemoveChild(nullptr);
}

TEST(RecordTree, ClearedParentDestroyedBeforeItsFormerChildren)
{
    auto parent = std::make_unique<CDbEntry>("P");
    CDbEntry child("C");
    child.SetParent(parent.get());
    parent->Clear();
    parent.reset();
    EXPECT_EQ(child.GetParent(), nullptr);
}

// Records linked into a deep and wide tree, destroyed in every kind of order.
TEST(RecordTree, ForestsCanBeDestroyedInAnyOrder)
{
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::unique_ptr<CDbEntry>> records;
        for (int i = 0; i < 60; ++i) {
            records.push_back(std::make_unique<CDbEntry>("R"));
            if (i > 0)
                records.back()->SetParent(records[random() % i].get());
            if (i > 1 && random() % 4 == 0)
                records[random() % i]->AddChild(records.back().get());
            if (random() % 5 == 0)
                records.push_back(std::make_unique<CDbEntry>(*records.back()));
        }
        std::shuffle(records.begin(), records.end(), random);
        while (!records.empty()) {
            records.pop_back();
            for (auto& record : records) {
                record->GetParent();
                Children(*record);
            }
        }
    }
}

}  // namespace
