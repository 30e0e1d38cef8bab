// The error raised when a knot data file cannot be written or read.
#pragma once

#include <stdexcept>
#include <string>

namespace ravelon {

// A failed save or load; what() is the Japanese message shown to the user.
class TFileError : public std::runtime_error {
public:
    explicit TFileError(const std::string& Message) : std::runtime_error(Message) {}
};

}  // namespace ravelon
