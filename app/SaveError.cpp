// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SaveError.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

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

}  // namespace ravelon
