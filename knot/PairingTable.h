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
#include <vector>

#include "knot/StridePoly.h"

namespace ravelon {

// The widest boundary a pairing key can describe.
constexpr int MaxPairingWidth = 255;

// Pairings of the boundary ends with their polynomials.
template <class C>
class TPairingTable {
public:
    explicit TPairingTable(int Width) : FKeyLength(static_cast<std::size_t>(Width) + 1), FIndex(64, 0) {}

    std::size_t KeyLength() const { return FKeyLength; }
    std::size_t Count() const { return FPolys.size(); }
    const std::uint8_t* Key(std::size_t State) const { return FKeys.data() + State * FKeyLength; }
    TStridePoly<C>& Poly(std::size_t State) { return FPolys[State]; }
    const TStridePoly<C>& Poly(std::size_t State) const { return FPolys[State]; }

    // The state with this key, added with the value 0 when there is none.
    std::size_t FindOrAdd(const std::uint8_t* Key) {
        std::size_t mask = FIndex.size() - 1;
        std::size_t at = Hash(Key) & mask;
        while (const std::uint32_t entry = FIndex[at]) {
            if (std::memcmp(this->Key(entry - 1), Key, FKeyLength) == 0) return entry - 1;
            at = (at + 1) & mask;
        }
        const std::size_t state = FPolys.size();
        FKeys.insert(FKeys.end(), Key, Key + FKeyLength);
        FPolys.emplace_back();
        FIndex[at] = static_cast<std::uint32_t>(state + 1);
        if (2 * FPolys.size() > FIndex.size()) Grow();
        return state;
    }

    // The bytes the table holds apart from the coefficients.
    std::size_t Bytes() const {
        return FKeys.capacity() + FPolys.capacity() * sizeof(TStridePoly<C>) + FIndex.capacity() * sizeof(std::uint32_t);
    }

private:
    std::uint64_t Hash(const std::uint8_t* Key) const {
        std::uint64_t h = 1469598103934665603ull;
        for (std::size_t i = 0; i < FKeyLength; ++i) h = (h ^ Key[i]) * 1099511628211ull;
        return h ^ (h >> 29);
    }

    void Grow() {
        std::vector<std::uint32_t> index(2 * FIndex.size(), 0);
        const std::size_t mask = index.size() - 1;
        for (std::size_t state = 0; state < FPolys.size(); ++state) {
            std::size_t at = Hash(Key(state)) & mask;
            while (index[at] != 0) at = (at + 1) & mask;
            index[at] = static_cast<std::uint32_t>(state + 1);
        }
        FIndex = std::move(index);
    }

    std::size_t FKeyLength;
    std::vector<std::uint8_t> FKeys;
    std::vector<TStridePoly<C>> FPolys;
    std::vector<std::uint32_t> FIndex;
};

}  // namespace ravelon
