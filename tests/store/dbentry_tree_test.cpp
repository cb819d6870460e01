// CDbEntry tree links, field removal, conflict test and merge, and links that outlive the
// record they designate (run these under AddressSanitizer).
#include <quillset/dbentry.h>

#include "record_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

using quillset::test::Layout;

std::vector<CDbEntry*> Children(CDbEntry& record)
{
    std::vector<CDbEntry*> children;
    for (int i = 0; i < record.GetChildCount(); ++i)
        children.push_back(record.GetChild(i));
    return children;
}

// Moving, listing and unlisting children is checked against a plain list model below.
TEST(RecordTree, NullChildrenAndIndexesPastTheListAreIgnored)
{
    CDbEntry p("P");
    p.AddChild(nullptr);
    p.RemoveChild(nullptr);
    EXPECT_EQ(p.GetChildCount(), 0);
    EXPECT_EQ(p.GetChild(0), nullptr);
    EXPECT_EQ(p.GetChild(-1), nullptr);
}

TEST(RecordTree, RemoveTakesTheFirstFieldOfThatNameAndFreedSlotsStartEmpty)
{
    CDbEntry record;
    record.Set("a", "1");
    record.Set("b", "2");
    record.Set("c", "3");
    EXPECT_EQ(record.Remove("b"), 0);
    EXPECT_EQ(Layout(record), "|a=1|c=3");
    for (char const* missing : {"b", "1", static_cast<char const*>(nullptr)})
        EXPECT_EQ(record.Remove(missing), 1);
    // The slot that Remove freed still holds the moved field's pointers: growing over it
    // must start it empty.
    record.Set("4", "x");
    EXPECT_EQ(Layout(record), "|a=1|c=3|-|-|4=x");
    record.Clear();
    EXPECT_EQ(record.Remove("a"), 1);
}

TEST(RecordTree, ConflictNeedsSameNameParentAndEqualCommonFields)
{
    struct Case {
        char const* mine;
        char const* other;
        bool sameParent;
        bool conflicting;
    };
    Case const cases[] = {
        {"interface,name=eth0,speed=10", "interface,name=eth0,mtu=1500", true, false},
        {"interface,name=eth0", "interface,name=eth1", true, true},
        {"interface,name=eth0", "interface,name=eth0", false, true},
        {"interface,name=eth0", "Interface,name=eth0", true, true},
        {"x,p=1", "x,q=2", true, false},  // no common field
    };
    CDbEntry parent("P");
    for (Case const& c : cases) {
        CDbEntry mine, other;
        mine.SetEntry(c.mine);
        other.SetEntry(c.other);
        mine.SetParent(&parent);
        other.SetParent(c.sameParent ? &parent : nullptr);
        EXPECT_EQ(mine.IsConflicting(other), c.conflicting) << c.mine << " / " << c.other;
        EXPECT_EQ(mine.Combine(other), 0);
    }
    CDbEntry first, second;
    first.SetEntry("interface,name=eth0,speed=10");
    second.SetEntry("interface,name=eth0,mtu=1500,5=five");
    first.Combine(second);
    first.Combine(first);
    EXPECT_EQ(Layout(first), "interface|name=eth0|speed=10|mtu=1500|-|-|5=five");
}

TEST(RecordTree, LinksToADestroyedRecordReadNull)
{
    auto parent = std::make_unique<CDbEntry>("P");
    CDbEntry child("C");
    child.SetParent(parent.get());
    CDbEntry copy(child);  // shares the parent pointer without being listed
    auto cleared = std::make_unique<CDbEntry>("Q");
    CDbEntry orphan("O");
    orphan.SetParent(cleared.get());
    cleared->Clear();      // empties its list, the orphan still points at it
    parent.reset();
    cleared.reset();
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_EQ(copy.GetParent(), nullptr);
    EXPECT_EQ(orphan.GetParent(), nullptr);
    child.SetParent(nullptr);
    copy.RemoveParent();

    CDbEntry p("P"), q("Q");
    auto listed = std::make_unique<CDbEntry>("C");
    p.AddChild(listed.get());
    q.AddChild(listed.get());  // listed by p and q
    CDbEntry copyOfP(p);
    listed.reset();
    EXPECT_EQ(q.GetChild(0), nullptr);
    EXPECT_EQ(copyOfP.GetChild(0), nullptr);
}

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

// Random linking and unlinking, reading the lists only now and then so that holes pile up
// between reads: every child list and parent link must read as the plain list model says.
TEST(RecordTree, ChildListsAgreeWithAPlainListUnderRandomLinking)
{
    std::mt19937 random(3);
    auto pick = [&](int range) { return static_cast<int>(random() % range); };
    std::vector<std::unique_ptr<CDbEntry>> records;
    for (int i = 0; i < 40; ++i)
        records.push_back(std::make_unique<CDbEntry>("r"));
    std::vector<std::vector<CDbEntry*>> lists(records.size());
    std::vector<int> parentOf(records.size(), -1);
    auto const eraseFirst = [&](int parent, CDbEntry* child) {
        auto& list = lists[parent];
        auto const found = std::find(list.begin(), list.end(), child);
        if (found != list.end())
            list.erase(found);
    };
    auto const unlink = [&](int child) {
        if (parentOf[child] >= 0)
            eraseFirst(parentOf[child], records[child].get());
        parentOf[child] = -1;
    };
    for (int step = 0; step < 20000; ++step) {
        int const parent = pick(4);  // a few parents with long lists
        int const child = 4 + pick(36);
        CDbEntry* const c = records[child].get();
        switch (pick(5)) {
        case 0:
        case 1:
            unlink(child);
            parentOf[child] = parent;
            if (std::find(lists[parent].begin(), lists[parent].end(), c) == lists[parent].end())
                lists[parent].push_back(c);
            c->SetParent(records[parent].get());
            break;
        case 2:
            unlink(child);
            c->RemoveParent();
            break;
        case 3:
            parentOf[child] = parent;
            lists[parent].push_back(c);
            records[parent]->AddChild(c);
            break;
        default:
            parentOf[child] = -1;
            eraseFirst(parent, c);
            records[parent]->RemoveChild(c);
        }
        if (pick(10) != 0)
            continue;
        for (std::size_t r = 0; r < records.size(); ++r) {
            ASSERT_EQ(Children(*records[r]), lists[r]) << step;
            ASSERT_EQ(records[r]->GetParent(), parentOf[r] >= 0 ? records[parentOf[r]].get() : nullptr) << step;
        }
    }
}

}  // namespace
