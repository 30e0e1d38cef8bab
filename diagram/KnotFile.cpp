// The knot data file: a text dump of the diagram in fields of 5 characters.
//
// Layout: canvas width and height; an empty line; the point, line and closed
// group counts; an empty line; X, Y, group of every point; an empty line;
// start, end, group of every line; an empty line; the over/under matrix
// transposed (row r holds 1 or 0 for FOver[c][r], c = 0 ... L-1); an empty
// line; the crossing matrix transposed (row r holds X and Y of FCross[c][r]).
// Every line ends with CR LF. A number needing 5 or more characters is written
// after one space so that it never runs into the number before it.
//
// Reading goes by tokens: spaces, line ends and other control characters
// separate numbers, Ctrl-Z ends the file, a number missing at the end reads as
// 0. The file is read into a fresh diagram, checked, and moved in only when it
// describes a diagram the editing operations could have made.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <utility>

#include "diagram/Draw.h"
#include "diagram/FileError.h"

namespace ravelon {

namespace {

const char* const BadFormat = "結び目データの形式が正しくありません";
const char* const BadFileName = "不正なファイル名です";
const char* const NotANumber = "入力値が数値ではありません";
constexpr char CtrlZ = 26;
constexpr std::size_t MaxTokenLength = 32;
constexpr int MaxCanvasSide = 999;

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

// The user's message for the operating system's error code Err.
std::string ErrorMessage(int Err) {
    switch (Err) {
        case ENOENT: return "ファイルが見つかりません";
        case EINVAL:
        case ENAMETOOLONG:
        case ENOTDIR:
        case EISDIR: return BadFileName;
        case EMFILE:
        case ENFILE: return "オープンしたファイルが多すぎます";
        case EACCES:
        case EPERM:
        case EROFS: return "ファイルへのアクセスが拒否されました";
        case ENOSPC:
        case EDQUOT: return "ディスクがいっぱいです";
        default: return "I/O エラー (" + std::to_string(Err) + ")";
    }
}

[[noreturn]] void Fail(int Err) { throw TFileError(ErrorMessage(Err)); }

void AppendField(std::string& Out, std::int32_t V) {
    const std::string s = std::to_string(V);
    Out.append(s.size() >= 5 ? 1 : 5 - s.size(), ' ');
    Out += s;
}

// Reads the numbers of a knot data file one after another.
class TTokenReader {
public:
    explicit TTokenReader(std::string_view Text) : FText(Text.substr(0, Text.find(CtrlZ))) {}

    // How many numbers the file holds.
    std::int64_t Count() const {
        TTokenReader copy(*this);
        std::int64_t n = 0;
        while (!copy.NextToken().empty()) ++n;
        return n;
    }

    // The next number; 0 at the end of the file.
    std::int32_t Next() {
        const std::string_view t = NextToken();
        if (t.empty()) return 0;
        std::size_t i = 0;
        const bool negative = t[0] == '-';
        if (t[0] == '-' || t[0] == '+') ++i;
        if (i == t.size()) throw TFileError(NotANumber);
        std::int64_t v = 0;
        for (; i < t.size(); ++i) {
            if (t[i] < '0' || t[i] > '9') throw TFileError(NotANumber);
            v = v * 10 + (t[i] - '0');
            // Numbers that do not fit 32 bits are not numbers of this file.
            if (v > (std::int64_t{1} << 31)) throw TFileError(NotANumber);
        }
        if (!negative && v > (std::int64_t{1} << 31) - 1) throw TFileError(NotANumber);
        return static_cast<std::int32_t>(negative ? -v : v);
    }

private:
    static bool IsSeparator(char C) { return static_cast<unsigned char>(C) <= ' '; }

    std::string_view NextToken() {
        while (FPos < FText.size() && IsSeparator(FText[FPos])) ++FPos;
        const std::size_t start = FPos;
        while (FPos < FText.size() && FPos - start < MaxTokenLength && !IsSeparator(FText[FPos])) ++FPos;
        return FText.substr(start, FPos - start);
    }

    std::string_view FText;
    std::size_t FPos = 0;
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

// The mode a newly created file gets: 0666 less the process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
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
    if (FileName.empty()) throw TFileError(BadFileName);
    const std::string text = KnotFileText(*this, Width, Height);

    // Write a temporary file in the target's folder and rename it over the
    // target only when all of it is on disk: a failure never touches the old file.
    const std::size_t slash = FileName.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : FileName.substr(0, slash + 1);
    std::string temp = folder + (slash == std::string::npos ? "/" : "") + ".ravelon-save-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) Fail(errno);
    struct stat old {};
    const mode_t mode = ::stat(FileName.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && written) {
        err = errno;
        ::unlink(temp.c_str());
        Fail(err);
    }
    if (!written || ::rename(temp.c_str(), FileName.c_str()) != 0) {
        if (written) err = errno;
        ::unlink(temp.c_str());
        Fail(err);
    }
    // Make the rename itself durable; the file is complete either way.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void TDraw::LoadFromFile(const std::string& FileName, int& Width, int& Height) {
    if (FileName.empty()) throw TFileError(BadFileName);
    // Not blocking: opening a pipe without a writer must not hang; only
    // regular files are read (a device could deliver bytes without end).
    const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) Fail(errno);
    std::string text;
    struct stat st {};
    int err = 0;
    if (::fstat(fd, &st) != 0) {
        err = errno;
    } else if (!S_ISREG(st.st_mode)) {
        err = EISDIR;
    } else {
        char buffer[65536];
        for (;;) {
            const ssize_t k = ::read(fd, buffer, sizeof buffer);
            if (k < 0 && errno == EINTR) continue;
            if (k < 0) err = errno;
            if (k <= 0) break;
            text.append(buffer, static_cast<std::size_t>(k));
        }
    }
    ::close(fd);
    if (err != 0) Fail(err);
    LoadFromText(text, Width, Height);
}

void TDraw::LoadFromStream(std::istream& Stream, int& Width, int& Height) {
    const std::string text{std::istreambuf_iterator<char>(Stream), std::istreambuf_iterator<char>()};
    if (Stream.bad()) Fail(EIO);
    LoadFromText(text, Width, Height);
}

void TDraw::LoadFromText(const std::string& Text, int& Width, int& Height) {
    TTokenReader in(Text);
    const std::int64_t available = in.Count();
    const std::int32_t width = in.Next();
    const std::int32_t height = in.Next();
    const std::int32_t p = in.Next();
    const std::int32_t l = in.Next();
    TDraw fresh;
    fresh.FGroupCount = in.Next();
    // Every point, line and matrix entry takes at least one number of the
    // file, so larger counts are refused before anything is allocated.
    const std::int64_t needed = std::int64_t{p} + l + std::int64_t{l} * l;
    if (width < 0 || width > MaxCanvasSide || height < 0 || height > MaxCanvasSide || p < 0 || l < 0 ||
        fresh.FGroupCount < 0 || needed > available)
        throw TFileError(BadFormat);

    fresh.FPoints.resize(Ix(p));
    for (TDrawPoint& point : fresh.FPoints) {
        point.X = in.Next();
        point.Y = in.Next();
        point.Group = in.Next();
    }
    fresh.FLines.resize(Ix(l));
    for (TDrawLine& line : fresh.FLines) {
        line.StartIndex = in.Next();
        line.EndIndex = in.Next();
        line.Group = in.Next();
    }
    fresh.FOver.assign(Ix(l), std::vector<bool>(Ix(l)));
    for (std::size_t r = 0; r < Ix(l); ++r)
        for (std::size_t c = 0; c < Ix(l); ++c) fresh.FOver[c][r] = in.Next() == 1;
    fresh.FCross.assign(Ix(l), std::vector<TPoint>(Ix(l)));
    for (std::size_t r = 0; r < Ix(l); ++r)
        for (std::size_t c = 0; c < Ix(l); ++c) {
            fresh.FCross[c][r].X = in.Next();
            fresh.FCross[c][r].Y = in.Next();
        }
    if (!WellFormed(fresh)) throw TFileError(BadFormat);

    *this = std::move(fresh);
    Width = width;
    Height = height;
}

}  // namespace ravelon
