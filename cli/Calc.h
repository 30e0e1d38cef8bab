// SPDX-License-Identifier: GPL-3.0-or-later
// ravelon-calc: computes the invariants of knot data files or PD codes from
// the command line.
//
// For every file named it reads the diagram (with --pd-in: every PD code, one
// a line, of the files or of standard input), builds its crossing code and
// prints the bracket, the twist number and the Jones polynomial, or the ones
// chosen among those, the Alexander polynomial, the determinant and the
// signature, and with --identify the knot table's names for it; as text or as
// one JSON object per line. With --table the arguments name entries of the
// knot table, whose PD codes are read as --pd-in reads them; with --draw DIR
// the N-th code taken (counting every code line and every name, read or not)
// is also drawn, into DIR/N.rvd. Exit status: 0 when everything was computed, 1
// when a file or a code could not be read or computed (the others are still
// computed), the table could not be read or the output could not be written,
// 2 on wrong usage.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "knot/CodeRead.h"

namespace ravelon {

// What the user asked for on the command line.
struct TCalcOptions {
    bool Bracket = false;
    bool Twist = false;
    bool Jones = false;
    bool Alexander = false;
    bool Determinant = false;
    bool Signature = false;
    bool Identify = false;
    bool PdIn = false;
    bool PdClockwise = false;  // PD codes list their labels clockwise
    bool CodeIn = false;       // Files hold codes in any notation, one a line
    TCodeFormat CodeFormat = TCodeFormat::Auto;  // the notation of --code-in's lines
    bool Table = false;     // Files holds names of the knot table
    std::string DrawDir;    // empty: nothing is drawn
    bool Json = false;
    bool Pd = false;
    bool Gauss = false;  // print the oriented Gauss code
    bool Dt = false;     // print the DT code of a knot
    bool Reference = false;
    // The memory the bracket may take, in bytes; 0 for a share of the memory
    // free when it starts.
    std::size_t MemoryLimit = 0;
    bool Help = false;
    bool Version = false;
    std::vector<std::string> Files;
};

// Parses Args (without the program name). Returns false on wrong usage, with
// the reason in Error. With no invariant chosen (--bracket, --twist, --jones,
// --alexander, --determinant, --signature) the first three are. Without files,
// --pd-in reads standard input. --table needs names and does not go with
// --pd-in; --draw needs one of them. --memory-limit SIZE (or
// --memory-limit=SIZE) takes bytes, or K, M, G or T of them (powers of 1024),
// as in 512M or 1.5G.
bool ParseCalcOptions(const std::vector<std::string>& Args, TCalcOptions& Options, std::string& Error);

class TProgress;

// Runs the calculator; returns the exit status. Stop, when given, is looked
// at by every computation: once it is cancelled the run ends after flushing
// what was printed, with status 1.
int RunCalc(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err, TProgress* Stop = nullptr);

}  // namespace ravelon
