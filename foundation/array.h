#pragma once

// Growable array: count, capacity, growthFactor, data, in that order. The
// storage is an array of `capacity` constructed elements; it only ever grows by
// itself (by the growth factor) and shrinks only through SetCapacity.
template <typename T>
class Array {
public:
    int count;
    int capacity;
    float growthFactor;
    T* data;

    explicit Array(int initialCapacity = 10, float factor = 10.0f)
        : count(0), capacity(initialCapacity), growthFactor(factor), data(new T[initialCapacity]) {}
    ~Array() { delete[] data; }

    Array(const Array&) = delete;
    Array& operator=(const Array&) = delete;

    // New capacity = trunc(capacity x growthFactor), computed in double
    // precision. Always at least one slot more, so that a capacity of 0 (or a
    // factor that does not enlarge it) cannot leave the next write outside the
    // storage.
    void Grow() {
        double product = static_cast<double>(capacity) * static_cast<double>(growthFactor);
        int grown = product >= 2147483647.0 ? 2147483647 : static_cast<int>(product);
        if (grown <= capacity) grown = capacity + 1;
        Reallocate(grown);
    }

    // The value may be an element of this very array (a.Add(a[0])): growing
    // releases the old storage, so a copy is taken before the growth.
    void Add(const T& value) {
        if (count == capacity) {
            T kept(value);
            Grow();
            data[count] = kept;
        } else {
            data[count] = value;
        }
        ++count;
    }

    // Writes at `index`, growing first when index is exactly the capacity
    // (callers write sequentially, at most one slot past the end). As in Add,
    // the value is copied before any growth.
    void SetAt(int index, const T& value) {
        if (index >= capacity) {
            T kept(value);
            while (index >= capacity) Grow();
            data[index] = kept;
        } else {
            data[index] = value;
        }
        if (count < index + 1) count = index + 1;
    }

    // Exactly n slots; the first min(count, n) elements are kept.
    void SetCapacity(int n) {
        Reallocate(n);
        if (count > n) count = n;
    }

    T& operator[](int index) { return data[index]; }
    const T& operator[](int index) const { return data[index]; }

private:
    void Reallocate(int newCapacity) {
        T* storage = new T[newCapacity];
        int keep = count < newCapacity ? count : newCapacity;
        for (int i = 0; i < keep; ++i) storage[i] = data[i];
        delete[] data;
        data = storage;
        capacity = newCapacity;
    }
};
