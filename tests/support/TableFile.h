// SPDX-License-Identifier: GPL-3.0-or-later
// The knot table file read independently of the program's reader, for tests.
//
// Data model: one row per entry with its seven columns as text; the Jones and
// Conway columns are "e:c" terms as the file writes them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <gmpxx.h>

namespace ravelon::testing {

// One entry of the table, as text.
struct TTableRow {
    std::string Name, Crossings, Components, Pd, Jones, Signature, Conway;
};

// Every entry of the table file at Path.
std::vector<TTableRow> ReadTableFile(const std::string& Path);

// The "e:c" terms of a column, e mapped to c (zero terms dropped).
std::map<long, mpz_class> TermsOf(const std::string& Column);

// The Alexander polynomial nabla(t^(1/2) - t^(-1/2)) of a Conway polynomial in
// z, as twice the exponent of t mapped to the coefficient, by the binomial theorem.
std::map<long, mpz_class> AlexanderOfConway(const std::map<long, mpz_class>& Conway);

// The crossings of a PD code X[a,b,c,d] ... in the table's form.
std::vector<std::vector<int>> PdCrossings(const std::string& Pd);

// The PD code written back in the table's form.
std::string PdString(const std::vector<std::vector<int>>& Crossings);

}  // namespace ravelon::testing
