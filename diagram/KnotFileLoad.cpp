// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a knot data file (the layout is described in KnotFile.cpp).
//
// Reading goes by tokens: spaces, line ends and other control characters
// separate numbers, Ctrl-Z ends the file, a number missing at the end reads as
// 0. A file without any number is refused. The file is streamed: every point,
// line and over/under entry takes at least one number, so as soon as the
// counts ask for more numbers than the file holds (or, when its size is known,
// than its bytes can hold) it is refused, and memory grows only with what has
// been read. The stored crossings are read as numbers and then recomputed from
// the points with the one crossing rule. The file is read into a fresh diagram,
// checked, and moved in only when it describes a diagram the editing
// operations could have made; then the editing state goes on drawing the
// file's open group, if it has one, or is idle.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <limits>
#include <optional>
#include <sstream>
#include <streambuf>
#include <utility>

#include "diagram/Draw.h"
#include "diagram/FileError.h"
#include "diagram/TextFile.h"

namespace ravelon {

namespace {

const char* const NotANumber = "入力値が数値ではありません";
constexpr int CtrlZ = 26;
constexpr std::size_t MaxTokenLength = 32;
constexpr int MaxCanvasSide = 999;

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

// The bytes of an open file descriptor as a stream; a failed read ends the
// stream and keeps its error code.
class TFdBuffer : public std::streambuf {
public:
    explicit TFdBuffer(int Fd) : FFd(Fd) {}
    int Error() const { return FError; }

protected:
    int_type underflow() override {
        for (;;) {
            const ssize_t k = ::read(FFd, FBuffer, sizeof FBuffer);
            if (k < 0 && errno == EINTR) continue;
            if (k < 0) FError = errno;
            if (k <= 0) return traits_type::eof();
            setg(FBuffer, FBuffer, FBuffer + k);
            return traits_type::to_int_type(FBuffer[0]);
        }
    }

private:
    int FFd;
    int FError = 0;
    char FBuffer[65536];
};

// The numbers of a knot data file, one after another. Once the file has ended,
// every further number reads as 0, provided the file held at least as many
// numbers as Require() asked for; otherwise the file is refused.
class TNumberReader {
public:
    explicit TNumberReader(std::streambuf& Buffer) : FBuffer(Buffer) {}

    // The numbers read so far; whether the file has ended.
    std::int64_t Taken() const { return FTaken; }
    bool Ended() const { return FEnded; }
    // The file must hold at least Count numbers in all.
    void Require(std::int64_t Count) { FRequired = Count; }

    std::int32_t Next() {
        if (FEnded) return 0;
        const std::string t = NextToken();
        if (t.empty()) {
            FEnded = true;
            if (FTaken < FRequired) throw TFileError(BadFormatMessage);
            return 0;
        }
        ++FTaken;
        return Parse(t);
    }

private:
    static bool IsSeparator(int C) { return C <= ' '; }

    std::string NextToken() {
        int c = FBuffer.sgetc();
        while (c != std::char_traits<char>::eof() && c != CtrlZ && IsSeparator(c)) c = FBuffer.snextc();
        std::string t;
        while (c != std::char_traits<char>::eof() && c != CtrlZ && !IsSeparator(c) && t.size() < MaxTokenLength) {
            t += static_cast<char>(c);
            c = FBuffer.snextc();
        }
        return t;
    }

    static std::int32_t Parse(const std::string& T) {
        std::size_t i = 0;
        const bool negative = T[0] == '-';
        if (T[0] == '-' || T[0] == '+') ++i;
        if (i == T.size()) throw TFileError(NotANumber);
        std::int64_t v = 0;
        for (; i < T.size(); ++i) {
            if (T[i] < '0' || T[i] > '9') throw TFileError(NotANumber);
            v = v * 10 + (T[i] - '0');
            // Numbers that do not fit 32 bits are not numbers of this file.
            if (v > (std::int64_t{1} << 31)) throw TFileError(NotANumber);
        }
        if (!negative && v > (std::int64_t{1} << 31) - 1) throw TFileError(NotANumber);
        return static_cast<std::int32_t>(negative ? -v : v);
    }

    std::streambuf& FBuffer;
    std::int64_t FTaken = 0;
    std::int64_t FRequired = 1;  // a file without any number is refused
    bool FEnded = false;
};

// True when D is laid out as the editing operations leave a diagram: groups
// numbered 0, 1, ... in point order, every closed group of at least 3 points,
// at most one open group (the last, numbered FGroupCount), and line l running
// from point l to point l + 1 or, for a closed group's last line, back to the
// group's first point.
bool WellFormed(const TDraw& D) {
    const std::int32_t p = D.FPointCount();
    if (p == 0) return D.FLineCount() == 0 && D.FGroupCount == 0;
    if (D.FPoints[0].Group != 0) return false;
    const std::int32_t lastGroup = D.FPoints.back().Group;
    const bool open = lastGroup == D.FGroupCount;
    if (!open && lastGroup != D.FGroupCount - 1) return false;
    if (D.FLineCount() != p - (open ? 1 : 0)) return false;
    std::int32_t groupStart = 0;
    for (std::int32_t i = 0; i < p; ++i) {
        const std::int32_t g = D.FPoints[Ix(i)].Group;
        if (i > 0 && g != D.FPoints[Ix(i - 1)].Group) {
            if (g != D.FPoints[Ix(i - 1)].Group + 1) return false;
            groupStart = i;
        }
        const bool lastOfGroup = i + 1 == p || D.FPoints[Ix(i + 1)].Group != g;
        if (lastOfGroup && g < D.FGroupCount && i - groupStart < 2) return false;  // closed, under 3 points
        if (i == D.FLineCount()) break;  // the open group's last point starts no line
        const TDrawLine& l = D.FLines[Ix(i)];
        if (l.StartIndex != i || l.Group != g) return false;
        if (l.EndIndex != (lastOfGroup ? groupStart : i + 1)) return false;
    }
    return true;
}

// True when every pair of different lines has exactly one of them over.
bool OverConsistent(const TDraw& D) {
    for (std::size_t a = 0; a < D.FOver.size(); ++a)
        for (std::size_t b = 0; b < a; ++b)
            if (D.FOver[a][b] == D.FOver[b][a]) return false;
    return true;
}

// After a load: go on drawing the diagram's open group, if it has one.
void SetEditStateFor(const TDraw& D) {
    const std::int32_t p = D.FPointCount();
    if (p == 0 || D.FPoints.back().Group < D.FGroupCount) {
        DrawMode = TDrawMode::Idle;
        return;
    }
    std::int32_t first = p - 1;
    while (first > 0 && D.FPoints[Ix(first - 1)].Group == D.FGroupCount) --first;
    DrawMode = TDrawMode::Drawing;
    OpenGroupStart = first;
    StartPoint = D.PointAt(first);
    LastPoint = D.PointAt(p - 1);
    CurrentPoint = LastPoint;
}

// Reads a knot data file of at most MaxBytes bytes (when known) from Buffer.
TDraw ReadDiagram(std::streambuf& Buffer, std::optional<std::int64_t> MaxBytes, int& Width, int& Height) {
    TNumberReader in(Buffer);
    const std::int32_t width = in.Next();
    const std::int32_t height = in.Next();
    const std::int32_t p = in.Next();
    const std::int32_t l = in.Next();
    TDraw d;
    d.FGroupCount = in.Next();
    if (width < 0 || width > MaxCanvasSide || height < 0 || height > MaxCanvasSide || p < 0 || l < 0 ||
        d.FGroupCount < 0)
        throw TFileError(BadFormatMessage);
    // Every point, line and over/under entry takes at least one number, and
    // every number but the last at least two bytes.
    const std::int64_t needed = std::int64_t{p} + l + std::int64_t{l} * l;
    if (MaxBytes && needed > (*MaxBytes + 1) / 2) throw TFileError(BadFormatMessage);
    in.Require(in.Taken() + needed);

    for (std::int32_t i = 0; i < p; ++i) {
        const std::int32_t x = in.Next(), y = in.Next();
        d.FPoints.push_back({x, y, in.Next()});
    }
    for (std::int32_t i = 0; i < l; ++i) {
        const std::int32_t s = in.Next(), e = in.Next();
        d.FLines.push_back({s, e, in.Next()});
    }
    // Row r of the file holds FOver[c][r] for c = 0 ... L - 1.
    std::vector<std::vector<bool>> rows;
    for (std::int32_t r = 0; r < l; ++r) {
        rows.emplace_back();
        for (std::int32_t c = 0; c < l; ++c) rows.back().push_back(in.Next() == 1);
    }
    d.FOver.assign(Ix(l), std::vector<bool>(Ix(l)));
    for (std::size_t c = 0; c < Ix(l); ++c)
        for (std::size_t r = 0; r < Ix(l); ++r) d.FOver[c][r] = r != c && rows[r][c];
    rows.clear();
    // The stored crossings: numbers that must be read, then recomputed.
    for (std::int64_t k = 0; k < 2 * std::int64_t{l} * l && !in.Ended(); ++k) in.Next();
    if (!WellFormed(d) || !OverConsistent(d)) throw TFileError(BadFormatMessage);
    d.RecomputeAllCrossings();
    Width = width;
    Height = height;
    return d;
}

}  // namespace

void TDraw::LoadFromFile(const std::string& FileName, int& Width, int& Height) {
    struct stat st {};
    const int fd = OpenRegularFile(FileName, st);
    TFdBuffer buffer(fd);
    int width = 0, height = 0;
    TDraw d;
    try {
        d = ReadDiagram(buffer, st.st_size, width, height);
    } catch (...) {
        ::close(fd);
        if (buffer.Error() != 0) FailWithError(buffer.Error());
        throw;
    }
    ::close(fd);
    if (buffer.Error() != 0) FailWithError(buffer.Error());
    *this = std::move(d);
    Width = width;
    Height = height;
    SetEditStateFor(*this);
}

void TDraw::LoadFromStream(std::istream& Stream, int& Width, int& Height) {
    std::optional<std::int64_t> size;
    const std::istream::pos_type here = Stream.tellg();
    if (here != std::istream::pos_type(-1) && Stream.seekg(0, std::ios::end)) {
        const std::istream::pos_type end = Stream.tellg();
        if (end != std::istream::pos_type(-1)) size = static_cast<std::int64_t>(end - here);
        Stream.seekg(here);
    }
    Stream.clear();
    if (Stream.rdbuf() == nullptr) FailWithError(EIO);
    int width = 0, height = 0;
    TDraw d = ReadDiagram(*Stream.rdbuf(), size, width, height);
    *this = std::move(d);
    Width = width;
    Height = height;
    SetEditStateFor(*this);
}

void TDraw::LoadFromText(const std::string& Text, int& Width, int& Height) {
    std::istringstream stream(Text);
    LoadFromStream(stream, Width, Height);
}

}  // namespace ravelon
