// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the example knot data files into the folder given as the argument
// (examples/ when run from the top of the repository).
#include <exception>
#include <iostream>
#include <string>

#include "examples/generator/ExampleKnots.h"

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "examples";
    try {
        for (const auto& ex : ravelon::examples::AllExamples()) {
            ex.Draw.SaveToFile(folder + "/" + ex.FileName, ex.Width, ex.Height);
            std::cout << ex.FileName << ": " << ex.Description << '\n';
        }
    } catch (const std::exception& e) {
        std::cerr << "make-examples: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
