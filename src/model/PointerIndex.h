// CPointerIndex: the position of an object in a vector of pointers, found from its address.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// Checking and storing a graph of a million nodes looks up millions of addresses. An
// open-addressing table of positions into the caller's vector costs one allocation and a
// few bytes per element, where a node-based map allocates once per element. The vector must
// outlive the index and keep its elements where they were inserted.
template <typename T> class CPointerIndex {
public:
    // Room for the whole vector; nothing is inserted yet.
    explicit CPointerIndex(const std::vector<T*>& items) : m_items(items) {
        const std::size_t wanted = std::max<std::size_t>(16, 2 * items.size());
        const std::size_t capacity = std::bit_ceil(wanted);
        m_shift = 64 - std::countr_zero(capacity);
        m_slots.assign(capacity, kEmpty);
    }

    // Inserts every element in order; an address held twice keeps its first position.
    void InsertAll() {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            Insert(static_cast<int>(i));
        }
    }

    // Inserts the element at `position`. Returns -1 when its address is new, else the
    // earlier position holding the same address (which stays the one found).
    int Insert(int position) {
        const T* item = m_items[static_cast<std::size_t>(position)];
        for (std::size_t slot = Home(item);; slot = Next(slot)) {
            const std::int32_t held = m_slots[slot];
            if (held == kEmpty) {
                m_slots[slot] = position;
                return -1;
            }
            if (m_items[static_cast<std::size_t>(held)] == item) {
                return held;
            }
        }
    }

    // The position of the address, or -1 when it was not inserted.
    int Find(const T* item) const {
        for (std::size_t slot = Home(item);; slot = Next(slot)) {
            const std::int32_t held = m_slots[slot];
            if (held == kEmpty || m_items[static_cast<std::size_t>(held)] == item) {
                return held;
            }
        }
    }

private:
    static constexpr std::int32_t kEmpty = -1;

    // Fibonacci hashing: the top bits of the address times 2^64 / phi spread the evenly
    // spaced addresses of one allocator over the whole table.
    std::size_t Home(const T* item) const {
        const auto address = reinterpret_cast<std::uintptr_t>(item);
        return static_cast<std::size_t>((std::uint64_t{address} * 0x9E3779B97F4A7C15ull) >>
                                        m_shift);
    }
    std::size_t Next(std::size_t slot) const { return (slot + 1) & (m_slots.size() - 1); }

    const std::vector<T*>& m_items;
    std::vector<std::int32_t> m_slots; // positions in m_items, kEmpty where free
    int m_shift = 60;
};
