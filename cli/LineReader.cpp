// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/LineReader.h"

#include <unistd.h>

#include <cerrno>

#include "knot/Progress.h"

namespace ravelon {

bool TLineReader::Next(std::string& Line) {
    Line.clear();
    bool any = false;
    while (true) {
        if (FAt == FEnd) {
            if (FEnded) return any;
            const long got = FRead(FBuffer.data(), FBuffer.size());
            if (got < 0) {
                FError = static_cast<int>(-got);
                FEnded = true;
                return false;
            }
            if (got == 0) {
                FEnded = true;
                return any;
            }
            FAt = 0;
            FEnd = static_cast<std::size_t>(got);
        }
        any = true;
        const char* const begin = FBuffer.data() + FAt;
        const char* const end = FBuffer.data() + FEnd;
        const char* newline = begin;
        while (newline != end && *newline != '\n') ++newline;
        Line.append(begin, newline);
        FAt = static_cast<std::size_t>(newline - FBuffer.data());
        if (newline != end) {
            ++FAt;
            return true;
        }
    }
}

TLineReader::TRead ReadOfDescriptor(int Fd, const TProgress* Stop) {
    return [Fd, Stop](char* Buffer, std::size_t Size) -> long {
        while (true) {
            const ssize_t got = ::read(Fd, Buffer, Size);
            if (got >= 0) return static_cast<long>(got);
            if (errno != EINTR) return -static_cast<long>(errno);
            if (Stop != nullptr && Stop->Cancelled()) return 0;
        }
    };
}

}  // namespace ravelon
