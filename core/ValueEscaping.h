// Escaping of field values: for the comma-separated settings line four characters become bracketed tokens; for a
// line a person reads (the outcome log, /list) control characters become spaces.
#pragma once

#include "core/Text.h"

namespace velloway {

// Replaces " ' , & by [&dblq;] [&sinq;] [&conm;] [&amp;] in one left-to-right scan.
Text MyEncode(TextView value);

// Replaces each of the four tokens by its character in one left-to-right scan; everything else,
// raw quotes and commas included, is copied.
Text MyDecode(TextView value);

// Each control character (below U+0020, and U+007F) as a space: a tab, a line break or an escape sequence from a
// hand-edited file must not make a column, a line or a colour where the value is shown.
Text WithoutControls(TextView value);

}  // namespace velloway
