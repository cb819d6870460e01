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

// Adds a record named `name` with field id = `id` under `parent`.
CDbEntry* Add(CDbObject& store, char const* name, char const* id, CDbEntry* parent = nullptr, bool combine = false)
{
    CDbEntry record(name);
    record.Set("id", id);
    record.SetParent(parent);
    return store.AddEntry(record, combine);
}

// With one bucket every name shares it, so the order of the names is the order they came.
TEST(RecordStore, EnumerationKeepsNamesTogetherAndRegroupsAfterDeletion)
{
    CDbObject store("s", 1);
    EXPECT_EQ(store.GetNextEntry(), nullptr);
    CDbEntry* a1 = Add(store, "A", "a1");
    Add(store, "B", "b1");
    CDbEntry* a2 = Add(store, "A", "a2");
    EXPECT_EQ(Ids(store), "a1 a2 b1");
    store.Delete(a1, false);
    store.Delete(a2, false);
    Add(store, "A", "a3");
    EXPECT_EQ(Ids(store), "b1 a3");
}

TEST(RecordStore, RowPackingMergesIntoTheFirstCompatibleRecordOfTheSameParent)
{
    for (bool const combine : {true, false}) {
        CDbObject store;
        CDbEntry* parent = Add(store, "P", "p");
        CDbEntry first("interface"), second("interface"), third("interface");
        first.Set("name", "eth0");
        first.Set("speed", "10");
        second.Set("name", "eth0");
        second.Set("mtu", "1500");
        third.Set("name", "eth1");
        for (CDbEntry* record : {&first, &second, &third})
            record->SetParent(parent);
        store.SetSelected(parent);
        CDbEntry* stored = store.AddEntry(first, combine);
        first.Set("name", "changed");  // the store keeps a copy
        EXPECT_EQ(store.GetSelected(), combine ? nullptr : parent);
        EXPECT_EQ(store.AddEntry(second, combine) == stored, combine);
        EXPECT_EQ(store.GetSelected(), combine ? stored : parent);
        EXPECT_NE(store.AddEntry(third, combine), stored);
        EXPECT_EQ(Layout(*stored), combine ? "interface|name=eth0|speed=10|mtu=1500" : "interface|name=eth0|speed=10");
        EXPECT_EQ(parent->GetChild(3), stored);  // after the three records passed in
    }
}

// Row packing finds records by the fields they hold now: changed by the host, or by an
// earlier merge whose digit-named field overwrote the slot of another field.
TEST(RecordStore, RowPackingSeesFieldsChangedAfterStoring)
{
    for (bool const byMerge : {false, true}) {
        CDbObject store;
        std::vector<CDbEntry*> ports;
        for (int i = 0; i < 20; ++i)
            ports.push_back(Add(store, "port", std::to_string(i).c_str(), nullptr, true));
        CDbEntry overwrite("port");
        overwrite.Set("0", "new");
        if (byMerge) {
            EXPECT_EQ(store.AddEntry(overwrite, true), ports[0]);
        } else {
            ports[0]->Set("id", "new");
        }
        EXPECT_EQ(Add(store, "port", "new", nullptr, true), ports[0]);
        EXPECT_EQ(store.GetEntryCount(), 20);
    }
}

TEST(RecordStore, LookupsSelectAndFieldOperationsActOnTheSelectedRecord)
{
    CDbObject store;
    EXPECT_EQ(store.Set("mtu", 1500) + store.SetHeader("h") + store.Remove("mtu") + store.Delete(true), 8);
    EXPECT_FALSE(store.IsExist("mtu") || store.IsExistHeader() || !store.Get("mtu").IsEmpty());
    CDbEntry* p = Add(store, "P", "p");
    CDbEntry* top = Add(store, "x", "1");
    CDbEntry* under = Add(store, "x", "2", p);
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

// Delete leaves the enumeration cursor on the deleted record's element, as a walk of the
// enumeration that found it would, and past the end when the store does not hold it.
TEST(RecordStore, DeleteDetachesAndLeavesTheCursorWhereAWalkWould)
{
    CDbObject store;
    CDbEntry* first = Add(store, "x", "0");
    Add(store, "x", "1", first);
    Add(store, "x", "2");
    store.SetSelected(first);
    EXPECT_EQ(store.Delete(false), 0);
    EXPECT_EQ(store.GetSelected(), nullptr);
    EXPECT_STREQ(store.GetNextEntry()->Get("id"), "2");
    EXPECT_STREQ(store.Select("x", nullptr, 0)->Get("id"), "1");  // the child stays, without parent
    CDbEntry outside("x");
    outside.SetParent(store.Select("x", 1));
    store.StartEnumeration();
    EXPECT_EQ(store.Delete(&outside, true) + store.GetEntryCount(), 2);
    EXPECT_EQ(outside.GetParent(), nullptr);
    EXPECT_EQ(store.GetNextEntry(), nullptr);
}

// A cascade removes its records in one pass per name; the store must end up as deleting
// them one at a time, children first, would leave it, enumeration cursor included.
TEST(RecordStore, CascadeLeavesWhatDeletingOneAtATimeLeaves)
{
    std::mt19937 random(2);
    for (int round = 0; round < 100; ++round) {
        CDbObject cascaded("c", 1), oneByOne("o", 1);
        char const* const names[] = {"a", "b", "c"};
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
        CDbEntry const* nextCascaded = cascaded.GetNextEntry();
        CDbEntry const* nextOneByOne = oneByOne.GetNextEntry();
        ASSERT_EQ(nextCascaded ? Layout(*nextCascaded) : "", nextOneByOne ? Layout(*nextOneByOne) : "");
        ASSERT_EQ(Ids(cascaded), Ids(oneByOne));
    }
}

// Child lists that a host built into a cycle with AddChild, and trees deeper than any
// stack, are deleted without looping or recursing.
TEST(RecordStore, DeleteSurvivesCyclesAndDeepTrees)
{
    CDbObject store;
    CDbEntry* a = Add(store, "a", "a");
    CDbEntry* b = Add(store, "b", "b");
    Add(store, "o", "o")->AddChild(a);
    a->AddChild(b);
    b->AddChild(a);  // a's parent is now b, yet o still lists a
    a->AddChild(a);
    store.Delete(store.Select("o", 0), true);
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
        CDbEntry* parent = Add(store, "parent", "p", &host);
        Add(store, "child", "c", parent);
        store.BaselineData();
        store.BaselineData();
        EXPECT_EQ(parent->GetChildCount() + host.GetChildCount(), 2);
        EXPECT_EQ(store.GetNextEntry(), nullptr);  // the snapshot walked the enumeration
        if (deleteParentFirst) {
            store.Delete(parent, false);
            store.BaselineData();
            store.Delete(store.Select("child", 0), false);
        }
    }
    EXPECT_EQ(host.GetChildCount(), 0);
}

// The records of a name under a parent, by walking the group in order.
std::vector<CDbEntry*> WalkChildren(CDbObject& store, char const* name, CDbEntry const* parent)
{
    std::vector<CDbEntry*> children;
    for (int p = 0; CDbEntry* record = store.Select(name, p); ++p) {
        if (record->GetParent() == parent)
            children.push_back(record);
    }
    return children;
}

// Random additions, merges, deletions and changes made to stored records directly
// (relinking, field changes, parents destroyed); after each, every lookup by parent must
// give what the walk gives.
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
            std::vector<CDbEntry*> siblings = WalkChildren(store, record.GetName(), record.GetParent());
            auto const compatible = [&](CDbEntry* sibling) { return !sibling->IsConflicting(record); };
            auto const expected = std::find_if(siblings.begin(), siblings.end(), compatible);
            CDbEntry* const stored = store.AddEntry(record, true);
            ASSERT_EQ(stored, expected != siblings.end() ? *expected : store.SelectLast(record.GetName())) << step;
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
                std::vector<CDbEntry*> const children = WalkChildren(store, name, parent);
                for (int n = 0; n < 3; ++n)
                    ASSERT_EQ(store.Select(name, parent, n), n < int(children.size()) ? children[n] : nullptr) << step;
                if (parent) {
                    ASSERT_EQ(store.SelectCount(name, parent), int(children.size())) << step;
                }
            }
        }
    }
}

}  // namespace
