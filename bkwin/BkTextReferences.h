// Element texts may name strings of the string table as "%strN%" (N a positive decimal
// number); loading replaces each such reference with the string.
#pragma once

#include "platform/base/Types.h"

// Replaces references from left to right. A reference whose number is missing or not
// positive, or that has no closing "%", ends the substitution: it and everything after it stay
// as written. A number absent from the table gives empty text. Inserted strings are never
// scanned again.
WString ResolveStringReferences(WString text);
