// SPDX-License-Identifier: GPL-3.0-or-later
// What ravelon-calc prints for one diagram: the invariants chosen, as text
// or as one JSON object.
//
// Data model: a report holds every invariant that was asked for (the others
// stay empty) and the identification when it was asked for.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include <gmpxx.h>

#include "cli/Calc.h"
#include "table/Identify.h"
#include "knot/PdCode.h"
#include "knot/Knot.h"

namespace ravelon {

class TKnotTable;

// The invariants of one diagram.
struct TReport {
    int Crossings = 0;
    int Components = 0;
    TPoly Bracket;
    int Twist = 0;
    TPoly Jones;
    TPoly Alexander;
    mpz_class Determinant;
    int Signature = 0;
    TPdCode Pd;
    std::string Gauss;  // the oriented Gauss code, with --gauss
    std::string Dt;     // the DT code, with --dt
    TCodeFormat Notation = TCodeFormat::Auto;  // the notation a --code-in line was read in
    std::optional<TIdentification> Identified;
    std::string Drawing;  // the file the diagram was drawn into, if any
};

// Computes what Options ask for on Knot; Table is needed for --identify.
// Throws TCancelled once Stop is cancelled.
TReport ComputeReport(const TKnot& Knot, const TCalcOptions& Options, const TKnotTable* Table,
                      TProgress* Stop = nullptr);

// The report as text under the heading Name.
void PrintReportText(const std::string& Name, const TReport& R, const TCalcOptions& Options, std::ostream& Out);
// The report as one JSON line; Line > 0 adds "line" (codes read with --pd-in).
// Name is the "file", or with --table the "table" entry.
void PrintReportJson(const std::string& Name, int Line, const TReport& R, const TCalcOptions& Options, std::ostream& Out);

}  // namespace ravelon
