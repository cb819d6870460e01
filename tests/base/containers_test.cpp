// CDynArray growth and CHashTable hashing, grouping, caching, enumeration and removal.
#include <quillset/hashtable.h>

#include "store/hash_table_access.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// "count/capacity" of an array.
template <class T>
std::string Shape(CDynArray<T> const& array)
{
    return std::to_string(array.GetSize()) + "/" + std::to_string(array.GetCapacity());
}

TEST(DynArray, GrowsToTwiceTheIndexPlusTwoWithNullSlots)
{
    int x = 0;
    CDynArray<int*> array;
    array[0] = &x;
    EXPECT_EQ(Shape(array), "1/2");
    EXPECT_EQ(array[5], nullptr);
    EXPECT_EQ(Shape(array), "6/12");
    EXPECT_EQ(array[0], &x);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(array[i], nullptr);
    array[3];  // below the count: no change
    EXPECT_EQ(Shape(array), "6/12");
    array.RemoveAll();
    EXPECT_EQ(Shape(array), "0/12");
    EXPECT_EQ(array[0], nullptr);
}

TEST(DynArray, RemoveAtShiftsDownAndTheFreedSlotKeepsItsContent)
{
    CDynArray<int> array(4);
    for (int i = 0; i < 4; ++i)
        array[i] = 10 + i;
    array.RemoveAt(4);
    array.RemoveAt(-1);
    array.RemoveAt(1);
    EXPECT_EQ(Shape(array), "3/4");
    EXPECT_EQ(array[1], 12);
    EXPECT_EQ(array[3], 13);  // re-entering the freed slot shows the old last element
    array.RemoveAt(3);
    EXPECT_EQ(Shape(array), "3/4");
}

TEST(DynArray, AssignmentCopiesCapacityAndEverySlot)
{
    CDynArray<int> source(4), target(8), empty;
    source[2] = 3;
    target = source;
    EXPECT_EQ(Shape(target), "3/4");
    EXPECT_EQ(target[2], 3);
    CDynArray<int> const& self = target;
    target = self;
    EXPECT_EQ(Shape(target), "3/4");
    target = empty;
    EXPECT_EQ(Shape(target), "0/0");
}

using Table = CHashTable<std::string>;
using Access = quillset::detail::HashTableAccess<std::string>;

TEST(HashTable, DefaultHashGivesTheKnownBuckets)
{
    Table table(503);
    for (auto [key, bucket] : {std::pair{"", 0u}, {"a", 97u}, {"ab", 141u}, {"interface", 14u}, {"hostname", 42u}})
        EXPECT_EQ(table.HashKey(key), bucket) << key;
    // A byte above 127 adds its sign-extended value, and the fold of bits 24 to 27 follows.
    EXPECT_EQ(table.HashKey("\xFF"), 0xF0FFFFF0u % 503);
}

// A key other than `key` that falls into the same bucket.
std::string CollidingKey(Table& table, char const* key, int skip = 0)
{
    for (int i = 0;; ++i) {
        std::string candidate = "k" + std::to_string(i);
        if (candidate != key && table.HashKey(candidate.c_str()) == table.HashKey(key) && skip-- == 0)
            return candidate;
    }
}

std::string Enumerate(Table& table)
{
    std::string values;
    table.StartEnumeration();
    while (std::string* value = table.GetNext())
        values += *value + " ";
    return values;
}

void RemoveFirst(Table& table)
{
    table.StartEnumeration();
    table.GetNext();
    table.RemoveCurrent();
}

TEST(HashTable, DuplicateKeysStayTogetherInInsertionOrder)
{
    Table table(503);
    std::string v[3] = {"1", "2", "3"};
    for (std::string& value : v)
        table.Add("k", &value);
    EXPECT_EQ(table.GetCount(), 3);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(table.Lookup("k", n), &v[n]);
    for (auto [key, n] : {std::pair{"k", 3}, {"k", -1}, {"K", 0}, {static_cast<char const*>(nullptr), 0}})
        EXPECT_EQ(table.Lookup(key, n), nullptr);
    EXPECT_EQ(Access::KeyCount(table, "k"), 3);
    EXPECT_EQ(Access::Last(table, "k"), &v[2]);
    EXPECT_EQ(Access::Last(table, "missing"), nullptr);
}

TEST(HashTable, EnumeratesBucketsThenGroupsByFirstArrivalThenInsertionOrder)
{
    Table table(503);
    EXPECT_EQ(Enumerate(table), "");
    std::string const other = CollidingKey(table, "a");
    std::string a1("a1"), a2("a2"), o1("o1"), b("b"), z("z");
    table.Add("z", &z);  // bucket 122
    table.Add("a", &a1); // bucket 97
    table.Add(other.c_str(), &o1);
    table.Add("a", &a2);
    table.Add("b", &b);  // bucket 98
    EXPECT_EQ(Enumerate(table), "a1 a2 o1 b z ");
    EXPECT_EQ(table.GetNext(), nullptr);  // stays finished until restarted

    // The last value of a key takes its group along; the key then comes back at the end.
    RemoveFirst(table);
    RemoveFirst(table);
    EXPECT_EQ(table.Lookup("a", 0), nullptr);
    table.Add("a", &a1);
    EXPECT_EQ(Enumerate(table), "o1 a1 b z ");
    EXPECT_EQ(table.GetCount(), 4);
}

// A group created on a bucket slot that a removal left behind must start empty.
TEST(HashTable, NewGroupOnAFreedSlotStartsEmpty)
{
    Table table(503);
    std::string const other = CollidingKey(table, "a");
    std::string a("a"), o1("o1"), o2("o2"), n("n");
    table.Add("a", &a);
    table.Add(other.c_str(), &o1);
    table.Add(other.c_str(), &o2);
    RemoveFirst(table);  // other's group moves down; its old slot keeps a copy of it
    table.Add("a", &n);  // a new group on that slot
    EXPECT_EQ(Access::KeyCount(table, "a"), 1);
    EXPECT_EQ(Access::KeyCount(table, other.c_str()), 2);
    EXPECT_EQ(Enumerate(table), "o1 o2 n ");
}

TEST(HashTable, LookupCacheFollowsGroupsThatMove)
{
    Table table(503);
    std::string const other = CollidingKey(table, "a");
    std::string a("a"), o("o"), filler("f");
    table.Add("a", &a);
    table.Add(other.c_str(), &o);
    ASSERT_EQ(table.Lookup(other.c_str(), 0), &o);  // cached
    RemoveFirst(table);                             // moves the cached group down
    EXPECT_EQ(table.Lookup(other.c_str(), 0), &o);
    EXPECT_EQ(table.Lookup(other.c_str(), 1), nullptr);
    for (int i = 1; i <= 30; ++i)  // reallocates the bucket's group list
        table.Add(CollidingKey(table, "a", i).c_str(), &filler);
    EXPECT_EQ(table.Lookup(other.c_str(), 0), &o);

    std::string const longKey(300, 'k');  // too long for the cache: looked up every time
    table.Add(longKey.c_str(), &a);
    table.Add(longKey.c_str(), &o);
    for (int round = 0; round < 2; ++round)
        EXPECT_EQ(table.Lookup(longKey.c_str(), 1), &o);
}

TEST(HashTable, OwningTableDeletesItsValuesAndHashFunctionOverrides)
{
    auto values = std::make_shared<int>();  // each value holds a reference to it
    {
        CHashTable<std::shared_ptr<int>> table(7);
        table.ownsValues = true;
        for (int i = 0; i < 5; ++i)
            table.Add("key", new std::shared_ptr<int>(values));
        table.StartEnumeration();
        table.GetNext();
        table.RemoveCurrent();
        EXPECT_EQ(values.use_count(), 5);
    }
    EXPECT_EQ(values.use_count(), 1);

    Table table(4);
    table.hashFunction = [](char const* key) -> unsigned int { return key[0] == 'x' ? 0u : 3u; };
    std::string x("x"), y("y");
    table.Add("y", &y);
    table.Add("x", &x);
    EXPECT_EQ(Enumerate(table), "x y ");
}

}  // namespace
