// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <random>
#include <string>

#include "diagram/FileError.h"

namespace ravelon {

namespace {

constexpr int MaxLinksFollowed = 40;

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

int OpenRegularFile(const std::string& FileName, struct stat& Status) {
    if (FileName.empty()) throw TFileError(BadFileNameMessage);
    const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) FailWithError(errno);
    int err = 0;
    if (::fstat(fd, &Status) != 0)
        err = errno;
    else if (!S_ISREG(Status.st_mode))
        err = EISDIR;
    if (err != 0) {
        ::close(fd);
        FailWithError(err);
    }
    return fd;
}

}  // namespace ravelon
