#pragma once
#include <string_view>

// The number a text box's text begins with, read the way a numeric literal is
// read: leading blanks skipped, an optional sign, digits with one decimal
// point, an optional exponent, stopping at the first character that cannot
// continue it. Text without digits there reads as 0. The decimal point is
// always ".", whatever the locale. A number too large for a double reads as
// infinity, one too small as 0.
double LeadingNumber(std::string_view text);
