// CDynArray<T>: the library's growable array. Indexing past the end grows it (to
// 2 x index + 2) and extends the count, which is also how elements are appended. Blocks of
// pointer elements start out null; the array never owns what its pointers designate.
#ifndef QUILLSET_DYNARRAY_H
#define QUILLSET_DYNARRAY_H

#include <quillset/export.h>

#include <climits>
#include <stdexcept>
#include <type_traits>
#include <utility>

template <class T>
class QS_API CDynArray {
public:
    explicit CDynArray(int capacity = 0) : data(nullptr), count(0), capacity(capacity > 0 ? capacity : 0)
    {
        if (this->capacity > 0)
            data = NewBlock(this->capacity);
    }

    CDynArray(CDynArray const& other) : CDynArray() { *this = other; }

    CDynArray(CDynArray&& other) noexcept
        : data(std::exchange(other.data, nullptr)),
          count(std::exchange(other.count, 0)),
          capacity(std::exchange(other.capacity, 0))
    {
    }

    virtual ~CDynArray() { delete[] data; }

    // Copies every slot of the block, those beyond the count included, so that the copy
    // is indistinguishable from the original.
    CDynArray& operator=(CDynArray const& other)
    {
        if (this == &other)
            return *this;
        if (capacity != other.capacity) {
            delete[] data;
            data = other.capacity > 0 ? NewBlock(other.capacity) : nullptr;
            capacity = other.capacity;
        }
        count = other.count;
        for (int i = 0; i < capacity; ++i)
            data[i] = other.data[i];
        return *this;
    }

    CDynArray& operator=(CDynArray&& other) noexcept
    {
        std::swap(data, other.data);
        std::swap(count, other.count);
        std::swap(capacity, other.capacity);
        return *this;
    }

    // The growing index: an index at or past the capacity reallocates to 2 x i + 2; an
    // index at or past the count raises the count to i + 1. Readers check against
    // GetSize() first, since reading here past the count changes the array. An index whose
    // growth would pass the largest int throws std::length_error.
    T& operator[](int i)
    {
        if (i >= capacity) {
            if (i > (INT_MAX - 2) / 2)
                throw std::length_error("CDynArray: index past the largest capacity");
            Grow(2 * i + 2);
        }
        if (i >= count)
            count = i + 1;
        return data[i];
    }

    T const& operator[](int i) const { return data[i]; }

    int GetSize() const { return count; }
    int GetCapacity() const { return capacity; }

    // Moves the later elements down by assignment; the slot that falls out of use keeps
    // its old content, so code that reuses it must reset it first.
    void RemoveAt(int i)
    {
        if (i < 0 || i >= count)
            return;
        for (int k = i; k + 1 < count; ++k)
            data[k] = data[k + 1];
        --count;
    }

    void RemoveAll()
    {
        count = 0;
        if constexpr (std::is_pointer_v<T>) {
            for (int i = 0; i < capacity; ++i)
                data[i] = nullptr;
        }
    }

private:
    // Pointer blocks are value-initialised (all null); other blocks are default-initialised.
    static T* NewBlock(int size)
    {
        if constexpr (std::is_pointer_v<T>)
            return new T[size]();
        else
            return new T[size];
    }

    // The old elements are no longer reachable after growth, so they are moved, not copied.
    void Grow(int newCapacity)
    {
        T* block = NewBlock(newCapacity);
        for (int k = 0; k < count; ++k)
            block[k] = std::move(data[k]);
        delete[] data;
        data = block;
        capacity = newCapacity;
    }

    T* data;
    int count;
    int capacity;
};

#endif
