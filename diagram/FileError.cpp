#include "diagram/FileError.h"

#include <cerrno>

namespace ravelon {

namespace {

std::string ErrorMessage(int Err) {
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

}  // namespace

void FailWithError(int Err) { throw TFileError(ErrorMessage(Err)); }

}  // namespace ravelon
