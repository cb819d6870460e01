// CDynArray growth and CHashTable hashing, grouping, caching, enumeration and removal.
#include <quillset/hashtable.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(DynArray, IndexingPastTheEndGrowsToTwiceTheIndexPlusTwo)
{
    int dummy = 0;
    CDynArray<int*> array;
    EXPECT_EQ(array.GetCapacity(), 0);
    array[0];
    EXPECT_EQ(array.GetCapacity(), 2);
    EXPECT_EQ(array.GetSize(), 1);
    EXPECT_EQ(array[0], nullptr);
    array[0] = &dummy;
    array[5];
    EXPECT_EQ(array.GetCapacity(), 12);
    EXPECT_EQ(array.GetSize(), 6);
    EXPECT_EQ(array[0], &dummy);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(array[i], nullptr);
    array[3];  // below the count: neither grows nor counts
    EXPECT_EQ(array.GetCapacity(), 12);
    EXPECT_EQ(array.GetSize(), 6);
}

TEST(DynArray, RemoveAtShiftsDownAndLeavesTheFreedSlotAsItWas)
{
    CDynArray<int> array(4);
    for (int i = 0; i < 4; ++i)
        array[i] = 10 + i;
    array.RemoveAt(1);
    ASSERT_EQ(array.GetSize(), 3);
    EXPECT_EQ(array[0], 10);
    EXPECT_EQ(array[1], 12);
    EXPECT_EQ(array[2], 13);
    EXPECT_EQ(array[3], 13);  // re-entering the freed slot shows its old content
    EXPECT_EQ(array.GetSize(), 4);
    array.RemoveAt(4);        // at the count: nothing
    array.RemoveAt(-1);
    EXPECT_EQ(array.GetSize(), 4);
    array.RemoveAt(3);        // the last element: only the count falls
    EXPECT_EQ(array.GetSize(), 3);
}

TEST(DynArray, AssignmentTakesTheSourcesCapacityAndAllSlots)
{
    CDynArray<int> source(4);
    source[0] = 1;
    source[1] = 2;
    source[2] = 3;
    CDynArray<int> target(8);
    target = source;
    EXPECT_EQ(target.GetCapacity(), 4);
    EXPECT_EQ(target.GetSize(), 3);
    EXPECT_EQ(target[2], 3);
    target = target;
    EXPECT_EQ(target.GetSize(), 3);
    CDynArray<int> empty;
    target = empty;
    EXPECT_EQ(target.GetCapacity(), 0);
    EXPECT_EQ(target.GetSize(), 0);
}

TEST(DynArray, RemoveAllNullsPointerSlotsAndKeepsTheBlock)
{
    int x = 0;
    CDynArray<int*> array;
    array[2] = &x;
    array.RemoveAll();
    EXPECT_EQ(array.GetSize(), 0);
    EXPECT_EQ(array.GetCapacity(), 6);
    EXPECT_EQ(array[2], nullptr);
}

TEST(DynArray, NestedArraysCopyDeeplyWhenTheOuterArrayGrows)
{
    CDynArray<CDynArray<int>> outer;
    outer[0][0] = 7;
    outer[10][1] = 8;  // regrows the outer block
    EXPECT_EQ(outer[0][0], 7);
    EXPECT_EQ(outer[10][1], 8);
    CDynArray<CDynArray<int>> copy(outer);
    copy[0][0] = 9;
    EXPECT_EQ(outer[0][0], 7);
}

using Table = CHashTable<std::string>;

TEST(HashTable, DefaultHashGivesTheKnownBuckets)
{
    Table table(503);
    struct Case {
        char const* key;
        unsigned int bucket;
    };
    Case const cases[] = {{"", 0}, {"a", 97}, {"ab", 141}, {"interface", 14}, {"hostname", 42}};
    for (Case const& c : cases)
        EXPECT_EQ(table.HashKey(c.key), c.bucket) << c.key;
    // Bytes above 127 count sign-extended: "\xFF" adds 0xFFFFFFFF, whose bits 24 to 27
    // then fold into the low bits.
    EXPECT_EQ(table.HashKey("\xFF"), 0xF0FFFFF0u % 503);
    EXPECT_NE(table.HashKey("\xFF"), table.HashKey("\x7F"));
    Table one(1);
    EXPECT_EQ(one.HashKey("anything"), 0u);
}

TEST(HashTable, DuplicateKeysStayTogetherInInsertionOrder)
{
    Table table(503);
    std::string one("1"), two("2"), three("3");
    table.Add("k", &one);
    table.Add("k", &two);
    table.Add("k", &three);
    EXPECT_EQ(table.GetCount(), 3);
    EXPECT_EQ(table.Lookup("k", 0), &one);
    EXPECT_EQ(table.Lookup("k", 1), &two);
    EXPECT_EQ(table.Lookup("k", 2), &three);
    EXPECT_EQ(table.Lookup("k", 3), nullptr);
    EXPECT_EQ(table.Lookup("k", -1), nullptr);
    EXPECT_EQ(table.Lookup("K", 0), nullptr);
    EXPECT_EQ(table.Lookup(nullptr, 0), nullptr);
    EXPECT_EQ(table.GetKeyCount("k"), 3);
    EXPECT_EQ(table.GetLast("k"), &three);
    EXPECT_EQ(table.GetLast("missing"), nullptr);
}

// Finds a key other than `key` that falls into the same bucket.
std::string CollidingKey(Table& table, char const* key)
{
    for (int i = 0;; ++i) {
        std::string candidate = "k" + std::to_string(i);
        if (candidate != key && table.HashKey(candidate.c_str()) == table.HashKey(key))
            return candidate;
    }
}

std::vector<std::string> Enumerate(Table& table)
{
    std::vector<std::string> values;
    table.StartEnumeration();
    while (std::string* value = table.GetNext())
        values.push_back(*value);
    return values;
}

TEST(HashTable, EnumeratesBucketsThenGroupsByFirstArrivalThenInsertionOrder)
{
    Table table(503);
    std::string const other = CollidingKey(table, "a");
    std::string a1("a1"), a2("a2"), o1("o1"), b("b"), z("z");
    table.Add("z", &z);  // bucket 122: after "a"'s bucket 97
    table.Add("a", &a1);
    table.Add(other.c_str(), &o1);
    table.Add("a", &a2);
    table.Add("b", &b);  // bucket 98
    EXPECT_EQ(Enumerate(table), (std::vector<std::string>{"a1", "a2", "o1", "b", "z"}));

    // After the last value, GetNext keeps answering null until the next start.
    EXPECT_EQ(table.GetNext(), nullptr);
    table.StartEnumeration();
    EXPECT_EQ(*table.GetNext(), "a1");
}

TEST(HashTable, EmptyTableEnumeratesNothing)
{
    Table table(503);
    table.StartEnumeration();
    EXPECT_EQ(table.GetNext(), nullptr);
    EXPECT_EQ(table.GetNext(), nullptr);
}

TEST(HashTable, RemovingTheLastValueOfAKeyDropsItsGroup)
{
    Table table(503);
    std::string const other = CollidingKey(table, "a");
    std::string a("a"), o("o"), a2("a2");
    table.Add("a", &a);
    table.Add(other.c_str(), &o);
    table.StartEnumeration();
    ASSERT_EQ(table.GetNext(), &a);
    table.RemoveCurrent();
    EXPECT_EQ(table.GetCount(), 1);
    EXPECT_EQ(table.Lookup("a", 0), nullptr);
    // The key comes back behind the group that was added after it.
    table.Add("a", &a2);
    EXPECT_EQ(Enumerate(table), (std::vector<std::string>{"o", "a2"}));
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
    table.StartEnumeration();
    table.GetNext();
    table.RemoveCurrent();  // "a" leaves; other's group moves down, its old slot keeps a copy
    table.Add("fresh-key-in-any-bucket", &n);
    table.Add("a", &n);     // a new group in that bucket, on the freed slot
    EXPECT_EQ(table.GetKeyCount("a"), 1);
    EXPECT_EQ(table.Lookup("a", 0), &n);
    EXPECT_EQ(table.Lookup("a", 1), nullptr);
    EXPECT_EQ(table.GetKeyCount(other.c_str()), 2);
    EXPECT_EQ(table.GetCount(), 4);
}

TEST(HashTable, LookupCacheFollowsGroupsThatMove)
{
    Table table(503);
    std::string const other = CollidingKey(table, "a");
    std::vector<std::string> values(40, "v");
    table.Add("a", &values[0]);
    table.Add(other.c_str(), &values[1]);
    ASSERT_EQ(table.Lookup(other.c_str(), 0), &values[1]);  // cached
    // Removing the group in front of the cached one moves it down.
    table.StartEnumeration();
    table.GetNext();
    table.RemoveCurrent();
    EXPECT_EQ(table.Lookup(other.c_str(), 0), &values[1]);
    EXPECT_EQ(table.Lookup(other.c_str(), 1), nullptr);
    // Adding many keys to the cached group's bucket reallocates its group list.
    ASSERT_EQ(table.Lookup(other.c_str(), 0), &values[1]);
    int added = 0;
    for (int i = 0; added < 30; ++i) {
        std::string key = "c" + std::to_string(i);
        if (table.HashKey(key.c_str()) == table.HashKey("a")) {
            table.Add(key.c_str(), &values[2 + added]);
            ++added;
        }
    }
    EXPECT_EQ(table.Lookup(other.c_str(), 0), &values[1]);
}

TEST(HashTable, LongKeysWorkWithoutTheCache)
{
    Table table(503);
    std::string const key(300, 'k');
    std::string v1("1"), v2("2");
    table.Add(key.c_str(), &v1);
    table.Add(key.c_str(), &v2);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(table.Lookup(key.c_str(), 0), &v1);
        EXPECT_EQ(table.Lookup(key.c_str(), 1), &v2);
    }
}

TEST(HashTable, OwningTableDeletesItsValues)
{
    struct Counted {
        explicit Counted(int& deaths) : deaths(deaths) {}
        ~Counted() { ++deaths; }
        int& deaths;
    };
    int deaths = 0;
    {
        CHashTable<Counted> table(7);
        table.ownsValues = true;
        for (int i = 0; i < 5; ++i)
            table.Add("key", new Counted(deaths));
        table.StartEnumeration();
        table.GetNext();
        table.RemoveCurrent();
        EXPECT_EQ(deaths, 1);
    }
    EXPECT_EQ(deaths, 5);
}

TEST(HashTable, HashFunctionOverridesTheDefault)
{
    Table table(4);
    table.hashFunction = [](char const* key) -> unsigned int { return key[0] == 'x' ? 0u : 3u; };
    std::string x("x"), y("y");
    table.Add("y", &y);
    table.Add("x", &x);
    EXPECT_EQ(Enumerate(table), (std::vector<std::string>{"x", "y"}));
}

}  // namespace
