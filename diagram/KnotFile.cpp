// SPDX-License-Identifier: GPL-3.0-or-later
// The knot data file: a text dump of the diagram in fields of 5 characters,
// and saving it.
//
// Layout: canvas width and height; an empty line; the point, line and closed
// group counts; an empty line; X, Y, group of every point; an empty line;
// start, end, group of every line; an empty line; the over/under matrix
// transposed (row r holds 1 or 0 for FOver[c][r], c = 0 ... L-1); an empty
// line; the crossing matrix transposed (row r holds X and Y of FCross[c][r]).
// Every line ends with CR LF. A number needing 5 or more characters is written
// after one space so that it never runs into the number before it.
//
// Saving writes the file a symbolic link points to (following the whole
// chain), through a new file in the same folder renamed over it, so that the
// old content stays intact until the new one is complete. A file without
// write permission is refused, not replaced. A new file gets the mode the
// system gives new files; a replaced one keeps its mode.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <random>
#include <string>

#include "diagram/Draw.h"
#include "diagram/FileError.h"
#include "diagram/SaveText.h"

namespace ravelon {

namespace {

constexpr int MaxLinksFollowed = 40;

void AppendField(std::string& Out, std::int32_t V) {
    const std::string s = std::to_string(V);
    Out.append(s.size() >= 5 ? 1 : 5 - s.size(), ' ');
    Out += s;
}

// Writes all of Text to Fd; false with errno set on failure.
bool WriteAll(int Fd, const std::string& Text) {
    std::size_t done = 0;
    while (done < Text.size()) {
        const ssize_t k = ::write(Fd, Text.data() + done, Text.size() - done);
        if (k < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(k);
    }
    return true;
}

// The folder part of Path, ending in '/', or "./" when it has none.
std::string FolderOf(const std::string& Path) {
    const std::size_t slash = Path.rfind('/');
    return slash == std::string::npos ? "./" : Path.substr(0, slash + 1);
}

// The file that Path names after following symbolic links.
std::string LinkTarget(std::string Path) {
    for (int k = 0; k < MaxLinksFollowed; ++k) {
        struct stat st {};
        if (::lstat(Path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return Path;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(Path.c_str(), target.data(), target.size());
        if (n < 0) FailWithError(errno);
        target.resize(static_cast<std::size_t>(n));
        Path = !target.empty() && target[0] == '/' ? target : FolderOf(Path) + target;
    }
    FailWithError(ELOOP);
}

// Creates a new file with a fresh name in Folder, with the mode new files get
// (0666 less the process's umask, applied by the system); its name in Name.
int CreateTemporary(const std::string& Folder, std::string& Name) {
    std::random_device seed;
    for (int attempt = 0; attempt < 100; ++attempt) {
        Name = Folder + ".ravelon-save-" + std::to_string(::getpid()) + "-" + std::to_string(seed());
        const int fd = ::open(Name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

std::string KnotFileText(const TDraw& D, int Width, int Height) {
    const std::size_t l = D.FLines.size();
    std::string out;
    out.reserve(64 + 15 * (D.FPoints.size() + l) + 15 * l * l);
    const char* const eol = "\r\n";
    AppendField(out, Width);
    AppendField(out, Height);
    out += eol;
    out += eol;
    AppendField(out, D.FPointCount());
    AppendField(out, D.FLineCount());
    AppendField(out, D.FGroupCount);
    out += eol;
    out += eol;
    for (const TDrawPoint& p : D.FPoints) {
        AppendField(out, p.X);
        AppendField(out, p.Y);
        AppendField(out, p.Group);
        out += eol;
    }
    out += eol;
    for (const TDrawLine& line : D.FLines) {
        AppendField(out, line.StartIndex);
        AppendField(out, line.EndIndex);
        AppendField(out, line.Group);
        out += eol;
    }
    out += eol;
    for (std::size_t r = 0; r < l; ++r) {
        for (std::size_t c = 0; c < l; ++c) AppendField(out, D.FOver[c][r] ? 1 : 0);
        out += eol;
    }
    out += eol;
    for (std::size_t r = 0; r < l; ++r) {
        for (std::size_t c = 0; c < l; ++c) {
            AppendField(out, D.FCross[c][r].X);
            AppendField(out, D.FCross[c][r].Y);
        }
        out += eol;
    }
    return out;
}

void TDraw::SaveToFile(const std::string& FileName, int Width, int Height) const {
    SaveTextToFile(FileName, KnotFileText(*this, Width, Height));
}

void SaveTextToFile(const std::string& FileName, const std::string& Text) {
    if (FileName.empty()) throw TFileError(BadFileNameMessage);
    const std::string target = LinkTarget(FileName);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) FailWithError(EISDIR);
    // A file the user may not write (or marked read-only) is not replaced.
    if (exists && (old.st_mode & 0222) == 0) FailWithError(EACCES);
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) FailWithError(errno);

    const std::string folder = FolderOf(target);
    std::string temp;
    const int fd = CreateTemporary(folder, temp);
    if (fd < 0) FailToCreate(folder, errno);
    const bool written =
        (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, Text) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && written) {
        err = errno;
        ::unlink(temp.c_str());
        FailWithError(err);
    }
    if (!written || ::rename(temp.c_str(), target.c_str()) != 0) {
        if (written) err = errno;
        ::unlink(temp.c_str());
        FailWithError(err);
    }
    // Make the rename itself durable; the file is complete either way.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace ravelon
