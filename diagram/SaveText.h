// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a whole text file so that a failure never leaves it half written.
//
// The file a symbolic link points to is written (following the whole chain),
// through a new file in the same folder renamed over it, so that the old
// content stays intact until the new one is complete. A file without write
// permission is refused, not replaced. A new file gets the mode the system
// gives new files; a replaced one keeps its mode.
#pragma once

#include <string>

namespace ravelon {

// Replaces the content of FileName by Text as above. Throws TFileError.
void SaveTextToFile(const std::string& FileName, const std::string& Text);

}  // namespace ravelon
