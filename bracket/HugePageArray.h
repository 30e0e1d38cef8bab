// SPDX-License-Identifier: GPL-3.0-or-later
// Large arrays of the contraction on huge pages.
//
// Data model: a THugePageArray is a std::vector whose blocks of HugePageBytes
// or more are aligned to a huge page and marked for transparent huge pages
// (madvise), so the kernel backs them with pages of 2 MiB where it can. A
// step of a large contraction fills hundreds of MiB of coefficients and
// reads its hash index at random: on 4 KiB pages the page faults of the
// first touch and the misses of the address translation cost about a third
// of its time. Smaller blocks come from the ordinary allocator.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace ravelon {

constexpr std::size_t HugePageBytes = std::size_t{2} << 20;

// The allocator of THugePageArray.
template <class T>
struct THugePageAllocator {
    using value_type = T;

    THugePageAllocator() = default;
    template <class U>
    explicit THugePageAllocator(const THugePageAllocator<U>&) {}

    T* allocate(std::size_t N) {
        if (N > std::numeric_limits<std::size_t>::max() / sizeof(T) - HugePageBytes) throw std::bad_alloc();
        const std::size_t bytes = N * sizeof(T);
        if (bytes < HugePageBytes) return std::allocator<T>().allocate(N);
        const std::size_t rounded = (bytes + HugePageBytes - 1) / HugePageBytes * HugePageBytes;
        void* block = std::aligned_alloc(HugePageBytes, rounded);
        if (block == nullptr) throw std::bad_alloc();
        // Only advice: without huge pages the block is still good.
        madvise(block, rounded, MADV_HUGEPAGE);
        return static_cast<T*>(block);
    }

    void deallocate(T* Block, std::size_t N) {
        if (N * sizeof(T) < HugePageBytes) std::allocator<T>().deallocate(Block, N);
        else std::free(Block);
    }

    // Elements made without a value are left uninitialised when they are of
    // a plain type (a class type still runs its constructor): the contraction
    // fills its arrays itself, in parallel, and a first fill by resize would
    // touch every page on one thread.
    template <class U, class... Args>
    void construct(U* At, Args&&... Values) {
        if constexpr (sizeof...(Args) == 0) ::new (static_cast<void*>(At)) U;
        else ::new (static_cast<void*>(At)) U(std::forward<Args>(Values)...);
    }

    template <class U>
    bool operator==(const THugePageAllocator<U>&) const {
        return true;
    }
};

template <class T>
using THugePageArray = std::vector<T, THugePageAllocator<T>>;

// Gives the whole pages of the elements From to To - 1 of Array's block back
// to the kernel: they hold no memory until written again, and read as 0.
// For a block of the huge page allocator only (smaller ones are left alone).
template <class T>
void GiveBackPages(THugePageArray<T>& Array, std::size_t From, std::size_t To) {
    static_assert(std::is_trivially_copyable_v<T>);
    constexpr std::uintptr_t Page = 4096;
    if (Array.capacity() * sizeof(T) < HugePageBytes || To > Array.capacity() || From >= To) return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(Array.data() + From) + Page - 1) / Page * Page;
    const auto end = reinterpret_cast<std::uintptr_t>(Array.data() + To) / Page * Page;
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

}  // namespace ravelon
