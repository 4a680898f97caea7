// Escaping for one-line messages: control bytes and broken UTF-8 escaped, text kept.
#include "geometry/Utf8Text.h"

#include <gtest/gtest.h>

TEST(Utf8Text, PrintableEscapesWhatAMessageLineMustNotCarry) {
    using namespace std::string_literals;
    struct Row {
        std::string in;
        std::string out;
    };
    const Row rows[] = {
        {"CCPCircle", "CCPCircle"},
        {"a\nb", "a\\x0ab"},
        {"\x1b[31mred\x1b[0m", "\\x1b[31mred\\x1b[0m"},
        {"nul\0end"s, "nul\\x00end"},
        {"tab\tcr\r del\x7f", "tab\\x09cr\\x0d del\\x7f"},
        {"\xE5\x86\x86 \xF0\x9F\x98\x80", "\xE5\x86\x86 \xF0\x9F\x98\x80"}, // yen sign, emoji
        {"\xC2\x9B"
         "2J",
         "\\xc2\\x9b2J"},                    // C1 escape (CSI)
        {"\xC2\xA0", "\xC2\xA0"},            // no-break space
        {"\xFF\xC0\xAF", "\\xff\\xc0\\xaf"}, // invalid, overlong
        {"\xED\xA0\x80", "\\xed\\xa0\\x80"}, // a surrogate
        {"cut \xE5\x86", "cut \\xe5\\x86"},  // ends mid-character
        {"back\\slash", "back\\slash"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Printable(row.in), row.out);
        EXPECT_EQ(Printable(Printable(row.in)), row.out); // escaping twice changes nothing more
    }
}
