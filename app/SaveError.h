// SPDX-License-Identifier: GPL-3.0-or-later
// The error of writing a file through Qt (a bitmap, a figure), in the words
// the knot files use for theirs (diagram/FileError.h).
#pragma once

#include <QFileDevice>
#include <QString>

namespace ravelon {

// Throws the TFileError of writing FileName through File: the folder that
// does not exist, no permission, no room, or an error of input and output.
[[noreturn]] void FailSaving(const QFileDevice& File, const QString& FileName);

// Throws the TFileError of an image that could not be written to File as
// Format: the file's own error when it had one, else that the image could
// not be encoded.
[[noreturn]] void FailEncoding(const QFileDevice& File, const QString& FileName, const char* Format);

}  // namespace ravelon
