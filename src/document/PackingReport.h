// The sentences that report what a packing could not show, in the user's language, for the
// editor's status bar and tessel-cli's summary alike.
#pragma once

#include <string>

// "412 circles are too small to place apart in double precision"; empty for none.
std::string TooSmallReport(int count);
