// SPDX-License-Identifier: GPL-3.0-or-later
// Writing link projection files, and the file side of reading them (the
// layout is described in diagram/PLinkFile.h).
#include "diagram/PLinkFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>

#include "diagram/FileError.h"
#include "diagram/Perturbation.h"
#include "diagram/TextFile.h"

namespace ravelon {

namespace {

// A link projection of this program has at most a few thousand short lines;
// a longer file is refused before it is read.
constexpr std::int64_t MaxFileBytes = 16 * 1024 * 1024;

[[noreturn]] void FailTooLarge() {
    throw TFileError("PLink ファイルが大きすぎます（" + std::to_string(MaxFileBytes / (1024 * 1024)) + " MB まで）");
}

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

// Right-aligned in Width characters, after at least one space.
void AppendNumber(std::string& Out, std::int64_t V, std::size_t Width) {
    const std::string s = std::to_string(V);
    Out.append(s.size() >= Width ? 1 : Width - s.size(), ' ');
    Out += s;
}

}  // namespace

std::string PLinkText(const TDraw& D) {
    // Closed groups come first, so their points and lines are a prefix.
    std::int32_t points = 0, lines = 0;
    while (points < D.FPointCount() && D.FPoints[Ix(points)].Group < D.FGroupCount) ++points;
    while (lines < D.FLineCount() && D.FLines[Ix(lines)].Group < D.FGroupCount) ++lines;
    std::string out = "% Link Projection\n" + std::to_string(D.FGroupCount) + "\n";
    for (std::int32_t i = 0; i < points; ++i)
        if (i == 0 || D.FPoints[Ix(i)].Group != D.FPoints[Ix(i - 1)].Group) {
            AppendNumber(out, i, 4);
            AppendNumber(out, i, 5);
            out += '\n';
        }
    out += std::to_string(points) + "\n";
    for (std::int32_t i = 0; i < points; ++i) {
        AppendNumber(out, D.FPoints[Ix(i)].X, 5);
        AppendNumber(out, D.FPoints[Ix(i)].Y, 6);
        out += '\n';
    }
    out += std::to_string(lines) + "\n";
    for (std::int32_t l = 0; l < lines; ++l) {
        AppendNumber(out, D.FLines[Ix(l)].StartIndex, 4);
        AppendNumber(out, D.FLines[Ix(l)].EndIndex, 5);
        out += '\n';
    }
    std::string crossings;
    std::int64_t count = 0;
    for (std::int32_t b = 0; b < lines; ++b) {
        const TDrawLine& lb = D.FLines[Ix(b)];
        for (std::int32_t a = 0; a < b; ++a) {
            const TDrawLine& la = D.FLines[Ix(a)];
            if (!MovedLinesCross(D.SiteAt(la.StartIndex), D.SiteAt(la.EndIndex), D.SiteAt(lb.StartIndex),
                                 D.SiteAt(lb.EndIndex)))
                continue;
            const bool aOver = D.FOver[Ix(a)][Ix(b)];
            AppendNumber(crossings, aOver ? b : a, 4);
            AppendNumber(crossings, aOver ? a : b, 5);
            crossings += '\n';
            ++count;
        }
    }
    out += std::to_string(count) + "\n" + crossings + "-1\n";
    return out;
}

void SavePLinkFile(const std::string& FileName, const TDraw& D) { SaveTextToFile(FileName, PLinkText(D)); }

TPLinkDiagram LoadPLinkFile(const std::string& FileName) {
    struct stat st {};
    const int fd = OpenRegularFile(FileName, st);
    int err = 0;
    std::string text;
    if (st.st_size > MaxFileBytes) err = EFBIG;
    char buffer[65536];
    while (err == 0) {
        const ssize_t k = ::read(fd, buffer, sizeof buffer);
        if (k < 0 && errno == EINTR) continue;
        if (k < 0) err = errno;
        if (k <= 0) break;
        text.append(buffer, static_cast<std::size_t>(k));
        if (static_cast<std::int64_t>(text.size()) > MaxFileBytes) err = EFBIG;
    }
    ::close(fd);
    if (err == EFBIG) FailTooLarge();
    if (err != 0) FailWithError(err);
    return ReadPLink(text);
}

}  // namespace ravelon
