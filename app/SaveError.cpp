// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SaveError.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <string>

#include "diagram/FileError.h"

namespace ravelon {

void FailSaving(const QFileDevice& File, const QString& FileName) {
    if (!QFileInfo(FileName).absoluteDir().exists()) throw TFileError(MissingFolderMessage);
    switch (File.error()) {
        case QFileDevice::PermissionsError: FailWithError(EACCES);
        case QFileDevice::ResourceError: FailWithError(ENOSPC);
        default: FailWithError(EIO);
    }
}

void FailEncoding(const QFileDevice& File, const QString& FileName, const char* Format) {
    if (File.error() != QFileDevice::NoError) FailSaving(File, FileName);
    throw TFileError(std::string(Format) + " 画像を作成できませんでした");
}

}  // namespace ravelon
