// The refusal of a crossing code whose bracket would need more memory than an
// ordinary desktop can give.
#pragma once

#include <stdexcept>

namespace ravelon {

// Thrown by the contraction when the states it would have to keep exceed its
// memory bound. The message is shown to the user as it is.
class TTooComplex : public std::runtime_error {
public:
    TTooComplex() : std::runtime_error("結び目が複雑すぎて計算できません") {}
};

}  // namespace ravelon
