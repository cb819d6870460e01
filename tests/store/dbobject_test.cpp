// CDbObject core: selection, enumeration order, adding with and without row packing,
// deleting, the baseline snapshot, field operations, and lookups by parent that must agree
// with a walk of the records however the records change behind the store's back.
#include <quillset/dbobject.h>

#include "record_text.h"

#include <gtest/gtest.h>

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

TEST(RecordStore, NewStoreIsEmpty)
{
    CDbObject const store("running");
    EXPECT_STREQ(store.GetName(), "running");
    EXPECT_EQ(store.GetEntryCount(), 0);
    EXPECT_EQ(store.GetTableName(), nullptr);
    EXPECT_EQ(store.GetNextEntry(), nullptr);
    EXPECT_STREQ(CDbObject().GetName(), "");
}

// With one bucket every name shares it, so the order of the names is the order they came.
TEST(RecordStore, EnumerationKeepsNamesTogetherAndRegroupsAfterDeletion)
{
    CDbObject store("s", 1);
    CDbEntry* a1 = Add(store, "A", "a1");
    Add(store, "B", "b1");
    CDbEntry* a2 = Add(store, "A", "a2");
    EXPECT_EQ(Ids(store), "a1 a2 b1");
    store.Delete(a1, false);
    store.Delete(a2, false);
    Add(store, "A", "a3");
    EXPECT_EQ(Ids(store), "b1 a3");
}

TEST(RecordStore, AddEntryStoresACopyListedUnderItsParent)
{
    CDbObject store;
    CDbEntry* vlan = Add(store, "vlan", "10");
    store.SetSelected(vlan);
    CDbEntry record("port");
    record.Set("id", "1");
    record.SetParent(vlan);
    CDbEntry* stored = store.AddEntry(record, false);
    record.Set("id", "changed");
    record.RemoveParent();
    EXPECT_EQ(Layout(*stored), "port|id=1");
    EXPECT_EQ(stored->GetParent(), vlan);
    ASSERT_EQ(vlan->GetChildCount(), 1);
    EXPECT_EQ(vlan->GetChild(0), stored);
    EXPECT_EQ(store.GetEntryCount(), 2);
    EXPECT_EQ(store.GetSelected(), vlan);
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
        EXPECT_EQ(store.GetSelected(), combine ? nullptr : parent);
        EXPECT_EQ(store.AddEntry(second, combine) == stored, combine);
        EXPECT_EQ(store.GetSelected(), combine ? stored : parent);
        EXPECT_NE(store.AddEntry(third, combine), stored);
        EXPECT_EQ(store.GetEntryCount(), combine ? 3 : 4);
        if (combine) {
            EXPECT_EQ(Layout(*stored), "interface|name=eth0|speed=10|mtu=1500");
        }
        second.RemoveParent();  // same fields without a parent: a record of its own
        EXPECT_NE(store.AddEntry(second, combine), stored);
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
        if (byMerge) {
            CDbEntry overwrite("port");
            overwrite.Set("0", "new");
            EXPECT_EQ(store.AddEntry(overwrite, true), ports[0]);
        } else {
            ports[0]->Set("id", "new");
        }
        EXPECT_EQ(Add(store, "port", "new", nullptr, true), ports[0]);
        EXPECT_EQ(store.GetEntryCount(), 20);
    }
}

TEST(RecordStore, LookupsByPositionParentAndLatest)
{
    CDbObject store;
    CDbEntry* p = Add(store, "P", "p");
    CDbEntry* top1 = Add(store, "x", "1");
    CDbEntry* under1 = Add(store, "x", "2", p);
    CDbEntry* top2 = Add(store, "x", "3");
    CDbEntry* under2 = Add(store, "x", "4", p);
    EXPECT_EQ(store.Select("x", 1), under1);
    EXPECT_EQ(store.Select("x", nullptr, 1), top2);
    EXPECT_EQ(store.Select("x", p, 1), under2);
    EXPECT_EQ(store.GetSelected(), under2);
    EXPECT_STREQ(store.GetTableName(), "x");
    EXPECT_EQ(store.SelectLast("x"), under2);
    EXPECT_EQ(store.Select("x", nullptr, 0), top1);
    for (CDbEntry* missing : {store.Select("x", 4), store.Select("x", -1), store.Select("y", 0),
                              store.Select(nullptr, 0), store.Select("x", p, 2), store.SelectLast("y")}) {
        EXPECT_EQ(missing, nullptr);
        EXPECT_EQ(store.GetSelected(), nullptr);
    }
    std::string const longName(300, 'n');
    CDbEntry* longOne = Add(store, longName.c_str(), "5");
    EXPECT_EQ(store.Select(longName.c_str(), 0), longOne);
    EXPECT_EQ(store.Select(longName.c_str(), nullptr, 0), longOne);
}

TEST(RecordStore, FieldOperationsActOnTheSelectedRecord)
{
    CDbObject store;
    EXPECT_EQ(store.Set("mtu", 1500), 2);
    EXPECT_EQ(store.SetHeader("h"), 2);
    EXPECT_EQ(store.Remove("mtu"), 2);
    EXPECT_EQ(store.Delete(true), 2);
    EXPECT_TRUE(store.Get("mtu").IsEmpty());
    EXPECT_FALSE(store.IsExist("mtu") || store.IsExistHeader() || store.IsExistFooter());
    CDbEntry* record = Add(store, "interface", "1");
    store.Select("interface", 0);
    EXPECT_EQ(store.Set("mtu", 1500), 0);
    EXPECT_EQ(store.Set("neg", -1L), 0);
    EXPECT_EQ(store.Set("big", 4294967295u), 0);
    EXPECT_EQ(store.Set("on", true), 0);
    EXPECT_EQ(store.Set("c", 'c'), 0);
    EXPECT_EQ(store.Set("v", CDbValue("text")), 0);
    EXPECT_EQ(store.Set(nullptr, "x"), 0);  // the record's own result is not passed on
    EXPECT_EQ(store.SetHeader("head"), 0);
    EXPECT_EQ(store.SetFooter("foot"), 0);
    EXPECT_EQ(Layout(*record), "interface|id=1|mtu=1500|neg=-1|big=4294967295|on=1|c=c|v=text|_Header=head|_Footer=foot");
    EXPECT_EQ(store.Remove("neg"), 0);
    EXPECT_EQ(store.Remove("neg"), 1);
    EXPECT_STREQ(store.GetHeader(), "head");
    EXPECT_STREQ(store.GetFooter(), "foot");
    store.SetSelected(nullptr);
    EXPECT_STREQ(store.Get("interface", "mtu", 0), "1500");
    EXPECT_EQ(store.GetSelected(), record);
    store.SetSelected(nullptr);
    EXPECT_TRUE(store.IsExist("interface", nullptr, "c", 0));
    EXPECT_FALSE(store.IsExist("interface", "c", 1));
    EXPECT_EQ(store.GetSelected(), nullptr);
}

TEST(RecordStore, DeleteRemovesDescendantsOnlyWithCascade)
{
    CDbObject store;
    CDbEntry* root = Add(store, "root", "r");
    CDbEntry* child = Add(store, "child", "c", root);
    Add(store, "leaf", "l", child);
    Add(store, "child", "d", root);
    store.Select("child", 0);
    EXPECT_EQ(store.Delete(false), 0);
    EXPECT_EQ(store.GetSelected(), nullptr);
    EXPECT_EQ(store.GetEntryCount(), 3);
    EXPECT_EQ(root->GetChildCount(), 1);
    EXPECT_EQ(store.Select("leaf", 0)->GetParent(), nullptr);
    store.SetSelected(root);
    EXPECT_EQ(store.Delete(root, true), 0);
    EXPECT_EQ(store.GetSelected(), nullptr);
    EXPECT_EQ(Ids(store), "l");
}

// Delete leaves the enumeration cursor on the deleted record's element, as a walk of the
// enumeration that found it would, and past the end when the store does not hold it.
TEST(RecordStore, DeleteLeavesTheCursorWhereAWalkWould)
{
    CDbObject store;
    CDbEntry* first = Add(store, "x", "0");
    Add(store, "x", "1");
    Add(store, "x", "2");
    store.Delete(first, false);
    EXPECT_STREQ(store.GetNextEntry()->Get("id"), "2");
    CDbEntry outside("x"), parent("p");
    outside.SetParent(&parent);
    store.StartEnumeration();
    EXPECT_EQ(store.Delete(&outside, true), 0);
    EXPECT_EQ(outside.GetParent(), nullptr);
    EXPECT_EQ(store.GetNextEntry(), nullptr);
    EXPECT_EQ(store.GetEntryCount(), 2);
}

// A cascade removes its records in one pass per name; the store must end up as deleting
// them one at a time, children first, would leave it, enumeration cursor included.
TEST(RecordStore, CascadeLeavesWhatDeletingOneAtATimeLeaves)
{
    std::mt19937 random(2);
    for (int round = 0; round < 100; ++round) {
        CDbObject cascaded("c", 1), oneByOne("o", 1);
        for (CDbObject* store : {&cascaded, &oneByOne}) {
            std::mt19937 shape(round);
            for (int i = 0; i < 40; ++i) {
                std::string const name(1, static_cast<char>('a' + shape() % 3));
                std::string const parentName(1, static_cast<char>('a' + shape() % 3));
                CDbEntry* parent = store->Select(parentName.c_str(), static_cast<int>(shape() % 8));
                store->Create(name.c_str(), parent, "id", i, nullptr);
            }
        }
        std::string const root(1, static_cast<char>('a' + random() % 3));
        int const position = static_cast<int>(random() % 5);
        cascaded.Delete(cascaded.Select(root.c_str(), position), true);
        std::function<void(CDbEntry*)> deleteTree = [&](CDbEntry* record) {
            for (int i = record ? record->GetChildCount() - 1 : -1; i >= 0; --i)
                deleteTree(record->GetChild(i));
            oneByOne.Delete(record, false);
        };
        deleteTree(oneByOne.Select(root.c_str(), position));
        CDbEntry const* nextCascaded = cascaded.GetNextEntry();
        CDbEntry const* nextOneByOne = oneByOne.GetNextEntry();
        ASSERT_EQ(nextCascaded ? Layout(*nextCascaded) : "", nextOneByOne ? Layout(*nextOneByOne) : "");
        ASSERT_EQ(Ids(cascaded), Ids(oneByOne));
    }
}

// Child lists that a host built into a cycle with AddChild are deleted without looping.
TEST(RecordStore, DeleteSurvivesCyclesOfChildLists)
{
    CDbObject store;
    CDbEntry* a = Add(store, "a", "a");
    CDbEntry* b = Add(store, "b", "b");
    CDbEntry* other = Add(store, "o", "o");
    a->AddChild(b);
    b->AddChild(a);
    other->AddChild(a);  // a's parent is now other, yet b still lists a
    a->AddChild(a);
    store.Delete(a, true);
    EXPECT_EQ(Ids(store), "o");
}

TEST(RecordStore, DeepTreesAreDeletedWithoutRecursion)
{
    CDbObject store;
    CDbEntry* root = store.Create("level", nullptr);
    CDbEntry* leaf = root;
    for (int depth = 0; depth < 200000; ++depth)
        leaf = store.Create("level", leaf);
    store.Create("other", nullptr);
    store.Delete(root, true);
    EXPECT_EQ(store.GetEntryCount(), 1);
}

TEST(RecordStore, BaselineSnapshotLeavesLiveRecordsAloneAndOutlivesDeletion)
{
    auto host = std::make_unique<CDbEntry>("host");
    for (bool const deleteParentFirst : {true, false}) {
        auto store = std::make_unique<CDbObject>("s", 7);
        CDbEntry* parent = Add(*store, "parent", "p", host.get());
        Add(*store, "child", "c", parent);
        store->BaselineData();
        EXPECT_EQ(parent->GetChildCount(), 1);
        EXPECT_EQ(host->GetChildCount(), 1);
        store->StartEnumeration();
        store->GetNextEntry();
        store->BaselineData();
        EXPECT_EQ(store->GetNextEntry(), nullptr);  // the snapshot walked the enumeration
        if (deleteParentFirst) {
            store->Delete(parent, false);
            store->BaselineData();
            store->Delete(store->Select("child", 0), false);
        }
        store.reset();
    }
    EXPECT_EQ(host->GetChildCount(), 0);
}

// Reference answers: walks of the records of a name in order, as the lookups are defined.
CDbEntry* WalkNthChild(CDbObject& store, char const* name, CDbEntry const* parent, int n)
{
    for (int p = 0; CDbEntry* record = store.Select(name, p); ++p) {
        if (record->GetParent() == parent && n-- == 0)
            return record;
    }
    return nullptr;
}

int WalkCount(CDbObject& store, char const* name, CDbEntry const* parent)
{
    int count = 0;
    for (int p = 0; CDbEntry* record = store.Select(name, p); ++p)
        count += record->GetParent() == parent ? 1 : 0;
    return count;
}

CDbEntry* WalkCompatible(CDbObject& store, CDbEntry const& record)
{
    for (int p = 0; CDbEntry* candidate = store.Select(record.GetName(), p); ++p) {
        if (candidate->GetParent() == record.GetParent() && !candidate->IsConflicting(record))
            return candidate;
    }
    return nullptr;
}

// Random additions, merges, deletions and changes made to stored records directly
// (relinking, field changes, parents destroyed); after each, every lookup by parent must
// give what the walk gives.
TEST(RecordStore, LookupsByParentAgreeWithTheWalkUnderRandomChanges)
{
    std::mt19937 random(11);
    char const* const names[] = {"a", "b"};
    // Digit names address slots: merged into a record, they overwrite whatever field is there.
    char const* const fields[] = {"k", "k", "k", "0", "1"};
    CDbObject store;
    std::vector<std::unique_ptr<CDbEntry>> hosts;
    for (int i = 0; i < 3; ++i)
        hosts.push_back(std::make_unique<CDbEntry>("host"));
    auto pick = [&](int range) { return static_cast<int>(random() % range); };
    auto anyStored = [&]() -> CDbEntry* {
        int const count = store.SelectCount(names[0], nullptr) + store.SelectCount(names[1], nullptr);
        if (count == 0)
            return nullptr;
        int const n = pick(count);
        int const inFirst = store.SelectCount(names[0], nullptr);
        return n < inFirst ? store.Select(names[0], n) : store.Select(names[1], n - inFirst);
    };
    auto anyParent = [&]() -> CDbEntry* {
        int const choice = pick(3);
        return choice == 0 ? nullptr : choice == 1 ? hosts[pick(3)].get() : anyStored();
    };
    for (int step = 0; step < 2500; ++step) {
        std::string const value = std::to_string(pick(12));
        CDbEntry* const target = anyStored();
        switch (pick(8)) {
        case 0:
        case 1: {
            CDbEntry record(names[pick(2)]);
            record.Set(fields[pick(5)], value.c_str());
            if (pick(2))
                record.Set("v", value.c_str());
            record.SetParent(anyParent());
            bool const combine = pick(2);
            CDbEntry* const expected = combine ? WalkCompatible(store, record) : nullptr;
            CDbEntry* const stored = store.AddEntry(record, combine);
            ASSERT_TRUE(expected ? stored == expected : stored != nullptr);
            break;
        }
        case 2:
            store.Create(names[pick(2)], anyParent(), "k", value.c_str(), nullptr);
            break;
        case 3:
            if (target)
                target->SetParent(anyParent());
            break;
        case 4:
            if (target)
                pick(3) ? target->Set(pick(2) ? "k" : "0", value.c_str()) : target->Remove("k");
            break;
        case 5:
            store.Delete(target, pick(2));
            break;
        case 6:
            hosts[pick(3)] = std::make_unique<CDbEntry>("host");
            break;
        default:
            if (target)
                pick(2) ? hosts[pick(3)]->AddChild(target) : hosts[pick(3)]->RemoveChild(target);
        }
        for (char const* name : names) {
            CDbEntry const* const parents[] = {nullptr, hosts[0].get(), hosts[1].get(), anyStored()};
            for (CDbEntry const* parent : parents) {
                for (int n = 0; n < 3; ++n)
                    ASSERT_EQ(store.Select(name, parent, n), WalkNthChild(store, name, parent, n)) << step;
                if (parent) {
                    ASSERT_EQ(store.SelectCount(name, parent), WalkCount(store, name, parent)) << step;
                }
            }
        }
    }
}

}  // namespace
