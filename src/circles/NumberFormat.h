// Numbers as the program's files write them, the same under every user locale.
#pragma once

#include <string>

// Six decimals, as C's "%f" writes them in the "C" locale: "-0.000000", "1e300" in full.
std::string FixedText(double value);
// At least two lowercase hexadecimal digits, as "%.2x".
std::string HexText(unsigned value);
