// The states of the contraction: one polynomial for every pairing of the
// boundary ends.
//
// Data model: the boundary ends are numbered 0 to Width - 1 (their order is
// fixed for a step of the contraction). A pairing is the list of each end's
// partner, one byte per end, so equal pairings have equal bytes; a final byte
// holds the class mod 4 of the polynomial's exponents. The keys lie one after
// the other in Keys, state i at i * KeyLength, and Polys[i] is its polynomial.
// An open-addressing hash index finds a state by its key.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "knot/StridePoly.h"

namespace ravelon {

// The widest boundary a pairing key can describe.
constexpr int MaxPairingWidth = 255;

// A place of the index: the state plus one (0 when free) and its key's
// hash, which settles most mismatches without the key and gives the
// place in an index of any size.
struct TPairingEntry {
    std::uint32_t State = 0;
    std::uint32_t Check = 0;
};

// Pairings of the boundary ends with their polynomials.
template <class C>
class TPairingTable {
public:
    // HashBits keeps only those bits of every key's hash; tests clear them to
    // make every key collide.
    explicit TPairingTable(int Width, std::uint32_t HashBits = ~std::uint32_t{0})
        : FKeyLength(static_cast<std::size_t>(Width) + 1), FIndex(64), FHashBits(HashBits) {}

    std::size_t KeyLength() const { return FKeyLength; }
    std::size_t Count() const { return FPolys.size(); }
    const std::uint8_t* Key(std::size_t State) const { return FKeys.data() + State * FKeyLength; }
    TStridePoly<C>& Poly(std::size_t State) { return FPolys[State]; }
    const TStridePoly<C>& Poly(std::size_t State) const { return FPolys[State]; }

    // The state with this key, added with the value 0 when there is none.
    std::size_t FindOrAdd(const std::uint8_t* Key) {
        const std::size_t mask = FIndex.size() - 1;
        const std::uint32_t check = Hash(Key);
        std::size_t at = Place(check);
        while (const std::uint32_t entry = FIndex[at].State) {
            if (FIndex[at].Check == check && std::memcmp(this->Key(entry - 1), Key, FKeyLength) == 0)
                return entry - 1;
            at = (at + 1) & mask;
        }
        const std::size_t state = FPolys.size();
        FKeys.insert(FKeys.end(), Key, Key + FKeyLength);
        FPolys.emplace_back();
        FIndex[at] = TEntry{static_cast<std::uint32_t>(state + 1), check};
        if (2 * FPolys.size() > FIndex.size()) Grow();
        return state;
    }

    // The same states with every coefficient X as Convert(X); the
    // coefficients of this table are freed as they are converted.
    template <class D, class F>
    TPairingTable<D> Widened(F Convert) && {
        TPairingTable<D> wide(static_cast<int>(FKeyLength) - 1, FHashBits);
        wide.FKeys = std::move(FKeys);
        wide.FIndex = std::move(FIndex);
        wide.FShift = FShift;
        wide.FPolys.reserve(FPolys.size());
        for (TStridePoly<C>& poly : FPolys) {
            TStridePoly<D>& to = wide.FPolys.emplace_back();
            to.Low = poly.Low;
            to.Coeffs.reserve(poly.Coeffs.size());
            for (const C& x : poly.Coeffs) to.Coeffs.push_back(Convert(x));
            std::vector<C>().swap(poly.Coeffs);
        }
        FPolys.clear();
        return wide;
    }

    // The bytes the table holds apart from the coefficients.
    std::size_t Bytes() const {
        return FKeys.capacity() + FPolys.capacity() * sizeof(TStridePoly<C>) + FIndex.capacity() * sizeof(TEntry);
    }

private:
    template <class>
    friend class TPairingTable;

    using TEntry = TPairingEntry;

    // The first place to look for a hash: its top bits, as many as the
    // index size needs.
    std::size_t Place(std::uint32_t Hash) const { return Hash >> FShift; }

    std::uint32_t Hash(const std::uint8_t* Key) const {
        std::uint64_t h = 1469598103934665603ull;
        for (std::size_t i = 0; i < FKeyLength; ++i) h = (h ^ Key[i]) * 1099511628211ull;
        h ^= h >> 31;
        h *= 0x9e3779b97f4a7c15ull;
        return static_cast<std::uint32_t>(h >> 32) & FHashBits;
    }

    void Grow() {
        if (FShift == 0) throw std::length_error("too many pairing states");
        std::vector<TEntry> index(2 * FIndex.size());
        --FShift;
        const std::size_t mask = index.size() - 1;
        for (const TEntry& e : FIndex) {
            if (e.State == 0) continue;
            std::size_t at = Place(e.Check);
            while (index[at].State != 0) at = (at + 1) & mask;
            index[at] = e;
        }
        FIndex = std::move(index);
    }

    std::size_t FKeyLength;
    std::vector<std::uint8_t> FKeys;
    std::vector<TStridePoly<C>> FPolys;
    std::vector<TEntry> FIndex;
    std::uint32_t FHashBits;
    // 32 minus the number of bits of a place in FIndex.
    int FShift = 32 - 6;
};

}  // namespace ravelon
