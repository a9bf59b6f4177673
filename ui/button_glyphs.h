// SPDX-License-Identifier: GPL-3.0-or-later
// The small pictures on the dialogs' buttons, drawn rather than loaded: a
// green check mark for OK and yes, a red cross for cancel and no.
#pragma once

#include <QIcon>

namespace KolvErkl {
QIcon CheckGlyph(); // 19 x 16
QIcon CrossGlyph(); // 20 x 20
} // namespace KolvErkl
