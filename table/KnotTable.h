// SPDX-License-Identifier: GPL-3.0-or-later
// The knot table: prime knots up to 12 crossings and oriented links up to 11,
// with their published Jones polynomials, signatures and Conway polynomials
// (data/knot-table.tsv, from KnotInfo and LinkInfo; see its header).
//
// Data model: one entry per line of the file, in its order. Polynomials are
// kept as the file writes them: "e:c e:c ..." with ascending e, where e is
// twice the exponent of t for the Jones polynomial and the exponent of z for
// the Conway polynomial. Entries are found by (components, Jones key) in one
// hash lookup; the file is read once.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "arith/Poly.h"

namespace ravelon {

// One knot or oriented link of the table.
struct TTableEntry {
    std::string Name;  // 3_1, 11a_1, L2a1{0}
    int Crossings = 0;
    int Components = 0;
    std::string Pd;
    std::string Jones;
    int Signature = 0;
    std::string Conway;
};

// The table, indexed by number of components and Jones polynomial.
class TKnotTable {
public:
    // Reads the table file; throws std::runtime_error with a Japanese message
    // naming the file (and the line) when it cannot be read.
    explicit TKnotTable(const std::string& Path);

    const std::vector<TTableEntry>& Entries() const { return FEntries; }
    // The entries with that many components and that Jones key.
    const std::vector<std::size_t>& WithJones(int Components, const std::string& JonesKey) const;

private:
    std::vector<TTableEntry> FEntries;
    std::unordered_map<std::string, std::vector<std::size_t>> FByJones;
};

// The key of a polynomial in the table's form: its non-zero terms by
// ascending exponent as "e:c", e being Scale times the exponent (2 for the
// Jones polynomial in t, whose exponents are halves; 2 also for the Alexander
// polynomial). Sign -1 negates every exponent (the mirror image).
std::string TableKey(const TPoly& P, int Scale, int Sign = 1);

// The table key (Scale 2) of the Alexander polynomial nabla(t^(1/2) - t^(-1/2))
// of a Conway polynomial written "e:c ..." in z, every coefficient times Factor.
std::string AlexanderKeyFromConway(const std::string& Conway, int Factor);

// The table file: beside the program (copied there by the build), then
// ../share/ravelon/ beside it, then the source tree's data/ folder.
std::string KnotTablePath();

}  // namespace ravelon
