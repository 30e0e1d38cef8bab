// SPDX-License-Identifier: GPL-3.0-or-later
// Text files as the program writes and reads them, so that a failure never
// leaves one half written and reading one never hangs.
//
// Saving writes the file a symbolic link points to (following the whole
// chain), through a new file in the same folder renamed over it, so that the
// old content stays intact until the new one is complete. A file without
// write permission is refused, not replaced. A new file gets the mode the
// system gives new files; a replaced one keeps its mode.
//
// Opening for reading does not block (a pipe without a writer must not hang)
// and takes regular files only (a device could deliver bytes without end).
#pragma once

#include <sys/stat.h>

#include <string>

namespace ravelon {

// Replaces the content of FileName by Text as above. Throws TFileError.
void SaveTextToFile(const std::string& FileName, const std::string& Text);

// Opens FileName for reading as above; Status is its status. The caller
// closes the descriptor. Throws TFileError.
int OpenRegularFile(const std::string& FileName, struct stat& Status);

}  // namespace ravelon
