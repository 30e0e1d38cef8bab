// ravelon-calc: computes the invariants of knot data files from the command line.
//
// For every file named it reads the diagram, builds its crossing code and
// prints the bracket, the twist number and the Jones polynomial (or the ones
// chosen), as text or as one JSON object per line. Exit status: 0 when every
// file was computed, 1 when a file could not be read or computed (the others
// are still computed) or the output could not be written, 2 on wrong usage.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ravelon {

// What the user asked for on the command line.
struct TCalcOptions {
    bool Bracket = false;
    bool Twist = false;
    bool Jones = false;
    bool Json = false;
    bool Pd = false;
    bool Reference = false;
    bool Help = false;
    bool Version = false;
    std::vector<std::string> Files;
};

// Parses Args (without the program name). Returns false on wrong usage, with
// the reason in Error. With none of --bracket, --twist, --jones all three are chosen.
bool ParseCalcOptions(const std::vector<std::string>& Args, TCalcOptions& Options, std::string& Error);

// Runs the calculator; returns the exit status.
int RunCalc(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);

}  // namespace ravelon
