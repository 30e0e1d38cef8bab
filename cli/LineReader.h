// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a file or of standard input, read so that a failed read is
// told apart from the end of the file.
//
// Data model: the bytes come from a read function in the manner of read(2):
// the count of bytes read, 0 at the end, or minus the error code. Lines end
// at '\n' (not kept); a last line without one is still a line. Once a read
// has failed no line is given, and Error() keeps its code.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ravelon {

class TProgress;

// Lines read through a read function.
class TLineReader {
public:
    using TRead = std::function<long(char* Buffer, std::size_t Size)>;

    explicit TLineReader(TRead Read) : FRead(std::move(Read)), FBuffer(65536) {}

    // The next line into Line; false at the end or after a failed read.
    bool Next(std::string& Line);
    // The error code of the read that failed; 0 when none has.
    int Error() const { return FError; }

private:
    TRead FRead;
    std::vector<char> FBuffer;
    std::size_t FAt = 0, FEnd = 0;
    int FError = 0;
    bool FEnded = false;
};

// The read function of file descriptor Fd: an interrupted read is tried
// again, unless Stop (when given) has been cancelled, which ends the bytes.
TLineReader::TRead ReadOfDescriptor(int Fd, const TProgress* Stop);

}  // namespace ravelon
