// SPDX-License-Identifier: GPL-3.0-or-later
// The refusal of a crossing code whose bracket would need more memory than
// the machine can give it.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace ravelon {

// The text of the refusal: the words the desktop program shows, then the
// memory needed when it is known ("... (約 3.2 GiB のメモリが必要です)").
std::string TooComplexMessage(std::size_t NeededBytes);

// Thrown by the contraction when the states it would have to keep exceed its
// memory bound. The message is shown to the user as it is; NeededBytes is
// the memory the code is expected to need (0 when not known).
class TTooComplex : public std::runtime_error {
public:
    explicit TTooComplex(std::size_t Needed = 0) : std::runtime_error(TooComplexMessage(Needed)), NeededBytes(Needed) {}

    std::size_t NeededBytes;
};

}  // namespace ravelon
