// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/RecordingSurface.h"

namespace ravelon::testing {

void TRecordingSurface::TextOut(int X, int Y, const std::string& Text) { Drawn.push_back({X, Y, Text, Size, Bold}); }

}  // namespace ravelon::testing
