// Numbers as text in files (profile, exports): the same bytes whatever the user's locale.
#pragma once

#include <string>
#include <string_view>

// The text printf "%.*f" gives in the C locale: fixed notation with `decimals` digits
// after the point, correctly rounded, "-0.000000" for negative zero, "nan"/"inf" forms.
std::string FormatFixed(double value, int decimals);

// The shortest text that reads back as exactly the same double ("1e-12", "0.25").
std::string FormatShortest(double value);

// At least two lowercase hexadecimal digits, as printf "%.2x" gives them.
std::string FormatHex(unsigned value);

// Reads an integer the way atoi does in the C locale: leading white space, an optional
// sign, then decimal digits up to the first other character; no digits give 0. Values
// beyond the int range saturate instead of being undefined.
int ParseInt(std::string_view text);

// Reads a real the way atof does in the C locale: leading white space, then the longest
// prefix that is a decimal or hexadecimal number, "inf", "infinity" or "nan"; text that
// does not start with a number gives 0.0. Overflow gives an infinity, underflow zero.
double ParseReal(std::string_view text);
