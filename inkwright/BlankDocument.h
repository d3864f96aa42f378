#pragma once
#include "Package.h"

namespace inkwright {
// A new empty document: one empty paragraph on an A4 page, the built-in paragraph styles the
// operations rely on (headings, contents entries, table grid).
ooxml::Package BlankDocument();
} // namespace inkwright
