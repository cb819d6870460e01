// The store's own operations on its record index, beyond the hash table's interface:
// removing many records of one name in one pass, putting the cursor on a record, and
// counting and visiting without the lookup cache (so that readers may share a store).
#ifndef QUILLSET_STORE_HASH_TABLE_ACCESS_H
#define QUILLSET_STORE_HASH_TABLE_ACCESS_H

#include <quillset/hashtable.h>

#include <cstring>

namespace quillset::detail {

template <class T>
struct HashTableAccess {
    using Table = CHashTable<T>;

    // Removes every element of `key` whose value satisfies `doomed`, leaving the table as
    // RemoveCurrent on each of them would (owned values deleted, the group removed once
    // empty), in one pass over the group. The cursor is not moved. Returns the number removed.
    template <class Doomed>
    static int RemoveFromGroup(Table& table, char const* key, Doomed doomed)
    {
        int const b = key ? table.BucketOf(key) : 0;
        int const g = key ? table.GroupIndexOf(table.buckets[b], key) : -1;
        if (g < 0)
            return 0;
        typename Table::Group& group = table.buckets[b][g];
        if (std::strcmp(group[0]->key, table.cacheKey) == 0)
            table.ClearCache();
        table.groupPosition.Erase(group[0]->key);  // the entry's key is the first element's copy
        int const size = group.GetSize();
        int kept = 0;
        for (int e = 0; e < size; ++e) {
            CHashElement* const element = group[e];
            if (doomed(Table::ValueOf(element)))
                table.Release(element);
            else
                group[kept++] = element;
        }
        while (group.GetSize() > kept)
            group.RemoveAt(group.GetSize() - 1);
        table.elementCount -= size - kept;
        if (kept > 0)
            table.groupPosition.Set(group[0]->key, g);
        else
            table.RemoveGroup(b, g);
        return size - kept;
    }

    // Puts the cursor on the element of `key` whose value is `value`, where an enumeration
    // that stopped there would leave it, so that RemoveCurrent removes it. The group is
    // searched from both ends at once, where the latest and the oldest values are (records
    // are most often deleted newest or oldest first). False, with the cursor unchanged,
    // when `key` has no such element.
    static bool MoveTo(Table& table, char const* key, T const* value)
    {
        if (key == nullptr)
            return false;
        int const b = table.BucketOf(key);
        int const g = table.GroupIndexOf(table.buckets[b], key);
        if (g < 0)
            return false;
        typename Table::Group& group = table.buckets[b][g];
        for (int back = group.GetSize() - 1, front = 0; front <= back; --back, ++front) {
            int const e = Table::ValueOf(group[back]) == value ? back : Table::ValueOf(group[front]) == value ? front : -1;
            if (e >= 0) {
                table.enumBucket = b;
                table.enumGroup = g;
                table.enumElement = e;
                return true;
            }
        }
        return false;
    }

    // Puts the cursor where an enumeration run to its end leaves it: GetNext answers null
    // until StartEnumeration (an empty table's enumeration never leaves its start).
    static void FinishEnumeration(Table& table)
    {
        table.enumBucket = table.elementCount > 0 ? table.bucketCount : -1;
    }

    // Calls visit(value) for every value in enumeration order, without moving the cursor.
    template <class Visit>
    static void ForEach(Table const& table, Visit visit)
    {
        for (int b = 0; b < table.bucketCount; ++b) {
            typename Table::Bucket const& bucket = table.buckets[b];
            for (int g = 0; g < bucket.GetSize(); ++g) {
                typename Table::Group const& group = bucket[g];
                for (int e = 0; e < group.GetSize(); ++e)
                    visit(Table::ValueOf(group[e]));
            }
        }
    }

    // The number of values of `key`.
    static int KeyCount(Table& table, char const* key)
    {
        auto const* group = key ? table.FindGroup(table.buckets[table.BucketOf(key)], key) : nullptr;
        return group ? group->GetSize() : 0;
    }

    // The value of `key` added last, or null.
    static T* Last(Table& table, char const* key)
    {
        auto* group = key ? table.FindGroup(table.buckets[table.BucketOf(key)], key) : nullptr;
        return group ? Table::ValueOf((*group)[group->GetSize() - 1]) : nullptr;
    }
};

}  // namespace quillset::detail

#endif
