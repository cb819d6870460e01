// CHashTable<T>: the library's string-keyed hash table. All values of one key stay together
// in one key group, in insertion order; enumeration visits buckets in ascending order, the
// groups of a bucket in the order their keys first arrived, and each group in order. That
// order shows in output (a store written to a file), so the hash and layout are fixed.
#ifndef QUILLSET_HASHTABLE_H
#define QUILLSET_HASHTABLE_H

#include <quillset/dynarray.h>
#include <quillset/export.h>

#include <cstring>
#include <utility>

namespace quillset::detail {
template <class T>
struct HashTableAccess;
}

// One entry of a table: a value it does not own and an owned copy of its key.
class QS_API CHashElement {
public:
    CHashElement(void* value, char const* key);
    virtual ~CHashElement();
    CHashElement(CHashElement const&) = delete;
    CHashElement& operator=(CHashElement const&) = delete;

    void* value;
    char* key;
};

// The position of each key's group within its bucket, kept beside the buckets so that a
// lookup compares the key with one group instead of every group of its bucket. The index
// refers to the key texts it is given, which must live until they are erased or replaced.
class QS_API CHashKeyIndex {
public:
    CHashKeyIndex();
    ~CHashKeyIndex();
    CHashKeyIndex(CHashKeyIndex const&) = delete;
    CHashKeyIndex& operator=(CHashKeyIndex const&) = delete;

    // The position recorded for the key's text, or -1.
    int Find(char const* key) const;
    // Records `position` for the key's text, now referring to `key`.
    void Set(char const* key, int position);
    void Erase(char const* key);
    void Swap(CHashKeyIndex& other) noexcept { std::swap(positions, other.positions); }

private:
    struct Positions;
    Positions* positions;
};

template <class T>
class QS_API CHashTable {
public:
    using Group = CDynArray<CHashElement*>;
    using Bucket = CDynArray<Group>;

    // A bucket count below 1 is taken as 1.
    explicit CHashTable(int bucketCount)
        : hashFunction(nullptr),
          ownsValues(false),
          buckets(nullptr),
          bucketCount(bucketCount > 0 ? bucketCount : 1),
          elementCount(0),
          enumBucket(0),
          enumGroup(0),
          enumElement(-1),
          cacheGroup(nullptr),
          cacheBucket(-1)
    {
        buckets = new Bucket[this->bucketCount];
        cacheKey[0] = '\0';
    }

    CHashTable(CHashTable const&) = delete;
    CHashTable& operator=(CHashTable const&) = delete;
    // Moving takes the elements, the options and the cursor; the source is left an empty
    // table of one bucket.
    CHashTable(CHashTable&& other) : CHashTable(1) { Swap(other); }
    CHashTable& operator=(CHashTable&& other)
    {
        CHashTable taken(std::move(other));
        Swap(taken);
        return *this;
    }

    void Swap(CHashTable& other) noexcept
    {
        std::swap(hashFunction, other.hashFunction);
        std::swap(ownsValues, other.ownsValues);
        std::swap(buckets, other.buckets);
        std::swap(bucketCount, other.bucketCount);
        std::swap(elementCount, other.elementCount);
        std::swap(enumBucket, other.enumBucket);
        std::swap(enumGroup, other.enumGroup);
        std::swap(enumElement, other.enumElement);
        std::swap(cacheKey, other.cacheKey);
        std::swap(cacheGroup, other.cacheGroup);
        std::swap(cacheBucket, other.cacheBucket);
        groupPosition.Swap(other.groupPosition);
    }

    virtual ~CHashTable()
    {
        for (int b = 0; b < bucketCount; ++b) {
            Bucket& bucket = buckets[b];
            for (int g = 0; g < bucket.GetSize(); ++g) {
                Group& group = bucket[g];
                for (int e = 0; e < group.GetSize(); ++e)
                    Release(group[e]);
            }
        }
        delete[] buckets;
    }

    // A 4-bit shifting accumulator over the key's sign-extended bytes that folds bits 24 to
    // 27 back into the low bits, reduced modulo the bucket count.
    virtual unsigned int HashKey(char const* key)
    {
        unsigned int h = 0;
        for (char const* p = key; *p != '\0'; ++p) {
            h = (h << 4) + static_cast<unsigned int>(static_cast<int>(static_cast<signed char>(*p)));
            unsigned int const g = h & 0x0F000000u;
            if (g != 0)
                h = h ^ (g >> 24) ^ g;
        }
        return h % static_cast<unsigned int>(bucketCount);
    }

    int Add(char const* key, T* value)
    {
        if (key == nullptr)
            key = "";
        int const b = BucketOf(key);
        Bucket& bucket = buckets[b];
        Group* group = FindGroup(bucket, key);
        CHashElement* const element = new CHashElement(value, key);
        if (group == nullptr) {
            // Appending a group may move the bucket's groups, and the slot may hold a group
            // that an earlier removal left behind: drop the cache and start the slot empty.
            if (b == cacheBucket)
                ClearCache();
            groupPosition.Set(element->key, bucket.GetSize());
            group = &bucket[bucket.GetSize()];
            group->RemoveAll();
        }
        (*group)[group->GetSize()] = element;
        ++elementCount;
        return 0;
    }

    // The n-th value (insertion order) of `key`, or null. A successful lookup of a key of
    // at most 255 characters is remembered, so asking for n = 0, 1, 2 ... of one key costs
    // one comparison each.
    T* Lookup(char const* key, int n)
    {
        if (key == nullptr || n < 0)
            return nullptr;
        if (cacheKey[0] != '\0' && std::strcmp(cacheKey, key) == 0)
            return n < cacheGroup->GetSize() ? ValueOf((*cacheGroup)[n]) : nullptr;
        int const b = BucketOf(key);
        Group* group = FindGroup(buckets[b], key);
        if (group == nullptr || n >= group->GetSize())
            return nullptr;
        if (std::strlen(key) < sizeof cacheKey) {
            std::strcpy(cacheKey, key);
            cacheGroup = group;
            cacheBucket = b;
        } else {
            ClearCache();
        }
        return ValueOf((*group)[n]);
    }

    void StartEnumeration() { enumBucket = -1; }

    // The next value in enumeration order, or null once every value has been returned.
    T* GetNext()
    {
        if (enumBucket >= bucketCount || elementCount == 0)
            return nullptr;
        if (enumBucket < 0) {
            enumBucket = 0;
            enumGroup = 0;
            enumElement = -1;
        }
        ++enumElement;
        while (enumBucket < bucketCount) {
            Bucket& bucket = buckets[enumBucket];
            if (enumGroup < bucket.GetSize()) {
                Group& group = bucket[enumGroup];
                if (enumElement < group.GetSize())
                    return ValueOf(group[enumElement]);
                enumElement = 0;
                ++enumGroup;
                continue;
            }
            enumGroup = 0;
            enumElement = 0;
            ++enumBucket;
        }
        return nullptr;
    }

    // Removes the element last returned by GetNext; the cursor stays, so a caller that
    // goes on enumerating starts a new enumeration.
    void RemoveCurrent()
    {
        if (enumBucket < 0 || enumBucket >= bucketCount)
            return;
        Bucket& bucket = buckets[enumBucket];
        if (enumGroup >= bucket.GetSize())
            return;
        Group& group = bucket[enumGroup];
        if (enumElement < 0 || enumElement >= group.GetSize())
            return;
        if (std::strcmp(group[0]->key, cacheKey) == 0)
            ClearCache();
        if (group.GetSize() == 1) {
            groupPosition.Erase(group[0]->key);
            Release(group[0]);
            RemoveGroup(enumBucket, enumGroup);
        } else {
            if (enumElement == 0) {
                // The group's key is read from its first element, which is about to go.
                groupPosition.Erase(group[0]->key);
                groupPosition.Set(group[1]->key, enumGroup);
            }
            Release(group[enumElement]);
            group.RemoveAt(enumElement);
        }
        --elementCount;
    }

    int GetCount() const { return elementCount; }
    int GetBucketCount() const { return bucketCount; }

    // When set, used instead of HashKey; its result must be below the bucket count.
    unsigned int (*hashFunction)(char const* key);
    // When true, the table deletes a value when its element is removed or the table dies.
    bool ownsValues;

private:
    // The store's own operations on its index (removing many records at once, counting and
    // visiting without the lookup cache), kept out of the interface.
    template <class>
    friend struct quillset::detail::HashTableAccess;

    static T* ValueOf(CHashElement* element) { return static_cast<T*>(element->value); }

    int BucketOf(char const* key)
    {
        unsigned int const b = hashFunction ? hashFunction(key) : HashKey(key);
        return static_cast<int>(b % static_cast<unsigned int>(bucketCount));
    }

    // The group of `key` in `bucket`, or null.
    Group* FindGroup(Bucket& bucket, char const* key)
    {
        int const g = GroupIndexOf(bucket, key);
        return g >= 0 ? &bucket[g] : nullptr;
    }

    // The position of the group of `key` in `bucket`, or -1. A key has one group in the
    // whole table, so its position is kept in an index instead of comparing the key with
    // every group of the bucket; the check guards against a hash function changed after
    // adding.
    int GroupIndexOf(Bucket& bucket, char const* key)
    {
        int const position = groupPosition.Find(key);
        if (position < 0 || position >= bucket.GetSize())
            return -1;
        return std::strcmp(bucket[position][0]->key, key) == 0 ? position : -1;
    }

    // Takes an emptied group out of its bucket; the groups after it move down.
    void RemoveGroup(int b, int g)
    {
        Bucket& bucket = buckets[b];
        bucket.RemoveAt(g);
        for (int later = g; later < bucket.GetSize(); ++later)
            groupPosition.Set(bucket[later][0]->key, later);
        if (b == cacheBucket)
            ClearCache();
    }

    void Release(CHashElement* element)
    {
        if (ownsValues)
            delete ValueOf(element);
        delete element;
    }

    void ClearCache()
    {
        cacheKey[0] = '\0';
        cacheGroup = nullptr;
        cacheBucket = -1;
    }

    Bucket* buckets;
    int bucketCount;
    int elementCount;
    int enumBucket;
    int enumGroup;
    int enumElement;
    char cacheKey[256];
    Group* cacheGroup;
    int cacheBucket;  // bucket of cacheGroup: changes to that bucket's group list drop the cache
    // Position of each key's group within its bucket, keyed by the group's first key copy.
    CHashKeyIndex groupPosition;
};

#endif
