// CDbObject core: selection, enumeration order, row packing, deletion, the baseline, field
// operations, and lookups by parent that must agree with a walk of the records however
// the records change behind the store's back.
#include <quillset/dbobject.h>

#include "record_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Stores (or with `combine` merges) the record that the delimited `line` encodes.
CDbEntry* Add(CDbObject& store, std::string const& line, CDbEntry* parent = nullptr, bool combine = false)
{
    CDbEntry record;
    record.SetEntry(line.c_str());
    record.SetParent(parent);
    return store.AddEntry(record, combine);
}

TEST(RecordStore, LookupsSelectAndFieldOperationsActOnTheSelectedRecord)
{
    CDbObject store;
    EXPECT_EQ(store.Set("mtu", 1500) + store.SetHeader("h") + store.Remove("mtu") + store.Delete(true), 8);
    EXPECT_FALSE(store.IsExist("mtu") || store.IsExistHeader() || !store.Get("mtu").IsEmpty());
    CDbEntry* p = Add(store, "P,id=p");
    CDbEntry* top = Add(store, "x,id=1");
    CDbEntry* under = Add(store, "x,id=2", p);
    EXPECT_EQ(store.Select("x", 1), under);
    EXPECT_EQ(store.SelectLast("x"), under);
    EXPECT_EQ(store.Select("x", nullptr, 0), top);
    EXPECT_STREQ(store.GetTableName(), "x");
    EXPECT_EQ(store.Set("mtu", 4294967295u) + store.Set(nullptr, "x") + store.SetFooter("f"), 0);
    EXPECT_EQ(Layout(*top), "x|id=1|mtu=4294967295|_Footer=f");
    EXPECT_EQ(store.Remove("mtu") * 10 + store.Remove("mtu"), 1);
    EXPECT_STREQ(store.Get("x", p, "id", 0), "2");
    EXPECT_FALSE(store.IsExist("x", "id", 2));
    EXPECT_EQ(store.GetTableName(), nullptr);
}

// One bucket holds every name, so names are enumerated in the order they came, each with
// its records together; a name that lost its last record comes back at the end. Delete
// leaves the cursor on the deleted record's element, as a walk that found it would, and
// past the end when the store does not hold the record.
TEST(RecordStore, DeleteRegroupsDetachesAndLeavesTheCursorWhereAWalkWould)
{
    CDbObject store("s", 1);
    EXPECT_EQ(store.GetNextEntry(), nullptr);
    CDbEntry* first = Add(store, "x,id=0");
    Add(store, "y,id=1", first);
    Add(store, "x,id=2");
    EXPECT_EQ(Links(store), "0 2 1<0");
    store.SetSelected(first);
    EXPECT_EQ(store.Delete(first, false), 0);
    EXPECT_EQ(store.GetSelected(), nullptr);
    EXPECT_EQ(Links(store, false), "1");  // x 2 moved down onto the cursor's position
    EXPECT_EQ(Links(store), "2 1");       // the child stays, without parent
    CDbEntry outside("x");
    outside.SetParent(store.Select("x", 0));
    store.StartEnumeration();
    EXPECT_EQ(store.Delete(&outside, true) + store.GetEntryCount(), 2);
    EXPECT_EQ(outside.GetParent(), nullptr);
    EXPECT_EQ(store.GetNextEntry(), nullptr);
    EXPECT_EQ(store.Delete(true), 0);  // the selected record, the last x
    Add(store, "x,id=3");
    EXPECT_EQ(Links(store), "1 3");
}

// The records passed in are gone when the next is added: the store keeps copies.
TEST(RecordStore, RowPackingMergesIntoTheFirstCompatibleRecordOfTheSameParent)
{
    for (bool const combine : {true, false}) {
        CDbObject store;
        CDbEntry* parent = Add(store, "P");
        store.SetSelected(parent);
        CDbEntry* stored = Add(store, "interface,name=eth0,speed=10", parent, combine);
        EXPECT_EQ(store.GetSelected(), combine ? nullptr : parent);
        EXPECT_EQ(Add(store, "interface,name=eth0,mtu=1500", parent, combine) == stored, combine);
        EXPECT_EQ(store.GetSelected(), combine ? stored : parent);
        EXPECT_NE(Add(store, "interface,name=eth1", parent, combine), stored);
        EXPECT_EQ(Layout(*stored), combine ? "interface|name=eth0|speed=10|mtu=1500" : "interface|name=eth0|speed=10");
        EXPECT_EQ(parent->GetChild(0), stored);
        EXPECT_EQ(parent->GetChildCount(), combine ? 2 : 3);
    }
}

// Row packing finds records by the fields they hold now: changed by the host, or by an
// earlier merge whose digit-named field overwrote the slot of another field.
TEST(RecordStore, RowPackingSeesFieldsChangedAfterStoring)
{
    for (bool const byMerge : {false, true}) {
        CDbObject store;
        for (int i = 0; i < 20; ++i)
            Add(store, "port,id=" + std::to_string(i), nullptr, true);
        CDbEntry* const first = store.Select("port", 0);
        if (byMerge)
            EXPECT_EQ(Add(store, "port,0=new", nullptr, true), first);
        else
            first->Set("id", "new");
        EXPECT_EQ(Add(store, "port,id=new", nullptr, true), first);
        EXPECT_EQ(store.GetEntryCount(), 20);
    }
}

// A cascade removes its records in one pass per name; the store must end up as deleting
// them one at a time, children first, would leave it, enumeration cursor included.
TEST(RecordStore, CascadeLeavesWhatDeletingOneAtATimeLeaves)
{
    std::mt19937 random(2);
    char const* const names[] = {"a", "b", "c"};
    for (int round = 0; round < 100; ++round) {
        CDbObject cascaded("c", 1), oneByOne("o", 1);
        for (CDbObject* store : {&cascaded, &oneByOne}) {
            std::mt19937 shape(round);
            for (int i = 0; i < 40; ++i)
                store->Create(names[shape() % 3], store->Select(names[shape() % 3], shape() % 8), "id", i, nullptr);
        }
        char const* const root = names[random() % 3];
        int const position = static_cast<int>(random() % 5);
        cascaded.Delete(cascaded.Select(root, position), true);
        std::function<void(CDbEntry*)> deleteTree = [&](CDbEntry* record) {
            for (int i = record ? record->GetChildCount() - 1 : -1; i >= 0; --i)
                deleteTree(record->GetChild(i));
            oneByOne.Delete(record, false);
        };
        deleteTree(oneByOne.Select(root, position));
        ASSERT_EQ(Links(cascaded, false), Links(oneByOne, false));
        ASSERT_EQ(Links(cascaded), Links(oneByOne));
    }
}

// AddChild lists a child without unlisting it from its former parent, so child lists can
// form cycles; those, and trees deeper than any stack, are deleted without looping or
// recursing.
TEST(RecordStore, DeleteSurvivesCyclesAndDeepTrees)
{
    CDbObject store;
    CDbEntry* p = Add(store, "p");
    CDbEntry* q = Add(store, "q");
    CDbEntry* r = Add(store, "r");
    p->AddChild(q);
    q->AddChild(p);
    r->AddChild(q);
    r->AddChild(p);  // now p lists q and q lists p, while both have r as parent
    store.Delete(r, true);
    EXPECT_EQ(store.GetEntryCount(), 0);
    CDbEntry* leaf = store.Create("level", nullptr);
    for (int depth = 0; depth < 200000; ++depth)
        leaf = store.Create("level", leaf);
    store.Delete(store.Select("level", 0), true);
    EXPECT_EQ(store.GetEntryCount(), 0);
}

// Run under AddressSanitizer: the snapshot outlives records it copied, either way round.
TEST(RecordStore, BaselineLeavesLiveRecordsAloneAndOutlivesThem)
{
    CDbEntry host("host");
    for (bool const deleteParentFirst : {true, false}) {
        CDbObject store("s", 7);
        CDbEntry* parent = Add(store, "parent", &host);
        Add(store, "child", parent);
        store.BaselineData();
        store.BaselineData();
        EXPECT_EQ(parent->GetChildCount() + host.GetChildCount(), 2);
        if (deleteParentFirst) {
            store.Delete(parent, false);
            store.BaselineData();
            store.Delete(store.Select("child", 0), false);
        }
    }
    EXPECT_EQ(host.GetChildCount(), 0);
}

// The records of `name` under `parent`, in store order, found by walking all of them.
std::vector<CDbEntry*> Walk(CDbObject& store, char const* name, CDbEntry const* parent)
{
    std::vector<CDbEntry*> children;
    for (int p = 0; CDbEntry* record = store.Select(name, p); ++p) {
        if (record->GetParent() == parent)
            children.push_back(record);
    }
    return children;
}

// The sibling a packing merge of `record` must go into, as a walk finds it: the first one
// that does not conflict (none: the record is stored as a new one).
CDbEntry* FirstFitting(std::vector<CDbEntry*> const& siblings, CDbEntry const& record)
{
    auto const fits = std::find_if(siblings.begin(), siblings.end(),
                                   [&](CDbEntry* sibling) { return !sibling->IsConflicting(record); });
    return fits != siblings.end() ? *fits : nullptr;
}

// Random additions, merges, deletions and changes made to stored records directly
// (relinking, field changes, parents destroyed); after each, every lookup by parent must
// give what a walk of the group gives.
TEST(RecordStore, LookupsByParentAgreeWithTheWalkUnderRandomChanges)
{
    std::mt19937 random(11);
    auto pick = [&](int range) { return static_cast<int>(random() % range); };
    char const* const names[] = {"a", "b"};
    // Digit names address slots: merged into a record, they overwrite whatever field is there.
    char const* const fields[] = {"k", "k", "k", "0", "1"};
    CDbObject store;
    std::unique_ptr<CDbEntry> hosts[] = {std::make_unique<CDbEntry>("h"), std::make_unique<CDbEntry>("h")};
    auto anyStored = [&]() { return store.Select(names[pick(2)], pick(store.GetEntryCount() / 2 + 1)); };
    auto anyParent = [&]() { return pick(3) == 0 ? nullptr : pick(2) ? hosts[pick(2)].get() : anyStored(); };
    for (int step = 0; step < 2500; ++step) {
        std::string const value = std::to_string(pick(12));
        CDbEntry* const target = anyStored();
        switch (pick(7)) {
        case 0:
        case 1: {
            CDbEntry record(names[pick(2)]);
            record.Set(fields[pick(5)], value.c_str());
            record.SetParent(anyParent());
            CDbEntry* const fits = FirstFitting(Walk(store, record.GetName(), record.GetParent()), record);
            CDbEntry* const stored = store.AddEntry(record, true);
            ASSERT_EQ(stored, fits ? fits : store.SelectLast(record.GetName())) << step;
            break;
        }
        case 2:  // relinked, or overwritten by a copy of another record, parent link included
            if (CDbEntry* const source = pick(2) ? anyStored() : nullptr; target && source)
                *target = *source;
            else if (target)
                target->SetParent(anyParent());
            break;
        case 3:
            if (target)
                pick(3) ? target->Set(pick(2) ? "k" : "0", value.c_str()) : target->Remove("k");
            break;
        case 4:
            store.Delete(target, pick(2));
            break;
        case 5:
            hosts[pick(2)] = std::make_unique<CDbEntry>("h");
            break;
        default:
            store.Create(names[pick(2)], anyParent(), "k", value.c_str(), nullptr);
        }
        for (char const* name : names) {
            CDbEntry const* const parents[] = {nullptr, hosts[0].get(), anyStored()};
            for (CDbEntry const* parent : parents) {
                std::vector<CDbEntry*> const children = Walk(store, name, parent);
                for (int n = 0; n < 3; ++n)
                    ASSERT_EQ(store.Select(name, parent, n), n < int(children.size()) ? children[n] : nullptr) << step;
                ASSERT_EQ(parent ? store.SelectCount(name, parent) : int(children.size()), int(children.size())) << step;
            }
        }
    }
}

// Long runs of records of several fields under few parents, merged with packing, with now
// and then a field changed, removed or a record deleted behind the store's back: every
// merge must pick the record that the walk over the siblings picks.
TEST(RecordStore, RowPackingPicksWhatTheWalkPicksAmongManySiblings)
{
    std::mt19937 random(5);
    auto pick = [&](int range) { return static_cast<int>(random() % range); };
    char const* const fields[] = {"action", "match", "log", "seq", "1"};
    CDbObject store;
    CDbEntry* const parents[] = {nullptr, store.Create("acl", nullptr), store.Create("acl", nullptr)};
    for (int step = 0; step < 6000; ++step) {
        CDbEntry record("rule");
        for (int field = pick(4); field >= 0; --field)
            record.Set(fields[pick(5)], std::to_string(pick(step % 3 == 0 ? 3 : 40)).c_str());
        record.SetParent(parents[pick(3)]);
        std::vector<CDbEntry*> const siblings = Walk(store, "rule", record.GetParent());
        CDbEntry* const fits = FirstFitting(siblings, record);
        CDbEntry* const stored = store.AddEntry(record, true);
        ASSERT_EQ(stored, fits ? fits : store.SelectLast("rule")) << step;
        if (pick(50) != 0 || siblings.empty())
            continue;
        CDbEntry* const changed = siblings[pick(static_cast<int>(siblings.size()))];
        switch (pick(3)) {
        case 0:
            changed->Set(fields[pick(5)], std::to_string(pick(40)).c_str());
            break;
        case 1:
            changed->Remove(fields[pick(5)]);
            break;
        default:
            store.Delete(changed, false);
        }
    }
}

}  // namespace
