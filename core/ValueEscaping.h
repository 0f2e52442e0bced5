// Escaping of field values for the comma-separated settings line: four characters become bracketed tokens.
#pragma once

#include "core/Text.h"

namespace velloway {

// Replaces " ' , & by [&dblq;] [&sinq;] [&conm;] [&amp;] in one left-to-right scan.
Text MyEncode(TextView value);

// Replaces each of the four tokens by its character in one left-to-right scan; everything else,
// raw quotes and commas included, is copied.
Text MyDecode(TextView value);

}  // namespace velloway
