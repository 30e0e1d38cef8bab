// SPDX-License-Identifier: GPL-3.0-or-later
// The error raised when a knot data file cannot be written or read, and the
// user's messages for the causes.
#pragma once

#include <stdexcept>
#include <string>

namespace ravelon {

// A failed save or load; what() is the Japanese message shown to the user.
class TFileError : public std::runtime_error {
public:
    explicit TFileError(const std::string& Message) : std::runtime_error(Message) {}
};

// The message for a file that is not a knot data file.
inline const char* const BadFormatMessage = "結び目データの形式が正しくありません";
// The message for a file name that names no file.
inline const char* const BadFileNameMessage = "不正なファイル名です";
// The message for a file to be written into a folder that does not exist.
inline const char* const MissingFolderMessage = "保存先のフォルダが存在しません";

// The user's message for the operating system's error code Err.
std::string FileErrorMessage(int Err);
// Throws TFileError with the user's message for the operating system's error
// code Err.
[[noreturn]] void FailWithError(int Err);
// Throws TFileError for a file that could not be created in Folder with the
// error Err: MissingFolderMessage when the folder is not there, else the
// message for Err.
[[noreturn]] void FailToCreate(const std::string& Folder, int Err);

}  // namespace ravelon
