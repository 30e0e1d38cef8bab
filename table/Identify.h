// SPDX-License-Identifier: GPL-3.0-or-later
// Naming a diagram by the knot table.
//
// Data model: a candidate is a table entry whose invariants all equal the
// diagram's: the number of components, the Jones polynomial, then the
// Alexander polynomial and the signature. A mirror candidate is an entry
// whose mirror image matches: Jones polynomial with t -> 1/t, signature
// negated, Alexander polynomial times (-1)^(components - 1). An entry that
// matches both ways is listed once, not as a mirror; a mirror candidate is
// left out when an orientation of the same link matches as it is. The answer
// is unique when the candidates are orientations of one knot or link.
#pragma once

#include <string>
#include <vector>

#include "arith/Poly.h"
#include "table/KnotTable.h"

namespace ravelon {

// One table entry that matches.
struct TCandidate {
    std::string Name;
    bool Mirror = false;
    friend bool operator==(const TCandidate&, const TCandidate&) = default;
};

// The candidates, in table order, and whether they name one knot or link.
struct TIdentification {
    std::vector<TCandidate> Candidates;
    bool Unique = false;
};

// The diagram's invariants, as the identification needs them.
struct TIdentifyInput {
    int Components = 0;
    TPoly Jones;
    TPoly Alexander;
    int Signature = 0;
};

// The candidates for a diagram with these invariants.
TIdentification Identify(const TKnotTable& Table, const TIdentifyInput& In);

// The answer in a sentence: the name (with " (鏡像)" for a mirror image),
// the orientations of one link, every candidate when several share all the
// invariants, or that the diagram is no prime knot or link of the table.
std::string IdentifyText(const TIdentification& Id);

// The knot or link an entry name stands for: the name without its orientation ("L2a1{0}" -> "L2a1").
std::string BaseName(const std::string& Name);

}  // namespace ravelon
