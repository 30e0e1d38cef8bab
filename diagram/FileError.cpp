// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/FileError.h"

#include <sys/stat.h>

#include <cerrno>

namespace ravelon {

std::string FileErrorMessage(int Err) {
    switch (Err) {
        case ENOENT: return "ファイルが見つかりません";
        case EINVAL:
        case ENAMETOOLONG:
        case ENOTDIR:
        case EISDIR: return BadFileNameMessage;
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

void FailWithError(int Err) { throw TFileError(FileErrorMessage(Err)); }

void FailToCreate(const std::string& Folder, int Err) {
    struct stat st {};
    if ((Err == ENOENT || Err == ENOTDIR) && (::stat(Folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)))
        throw TFileError(MissingFolderMessage);
    FailWithError(Err);
}

}  // namespace ravelon
