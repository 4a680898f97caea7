// Token replacement for text export lines.
#include "circles/TextFormat.h"

#include "geometry/NumberText.h"

#include <string_view>

namespace {

// Every occurrence, left to right and without overlap; replaced text is not searched again.
void ReplaceAll(std::string& text, std::string_view token, const std::string& value) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, start)) {
        out.append(text, start, at - start);
        out += value;
        start = at + token.size();
    }
    out.append(text, start);
    text = std::move(out);
}

// The three spellings of one colour channel: decimal, hexadecimal and fraction of 255.
void ReplaceChannel(std::string& text, char colour, char channel, unsigned value) {
    std::string name{colour, channel};
    ReplaceAll(text, "%" + name, std::to_string(value));
    ReplaceAll(text, "%H" + name, FormatHex(value));
    ReplaceAll(text, "%F" + name, FormatFixed(value / 255.0, 6));
}

} // namespace

std::string ExpandTextFormat(const std::string& format, const CircleTextValues& v) {
    std::string text = format;
    ReplaceAll(text, "%%", "%P");
    ReplaceAll(text, "%X", FormatFixed(v.x, 6));
    ReplaceAll(text, "%Y", FormatFixed(v.y, 6));
    ReplaceAll(text, "%R", FormatFixed(v.radius, 6));
    ReplaceAll(text, "%T", std::to_string(v.thickness));
    for (auto [colour, c] : {std::pair{'I', v.innerCol}, {'L', v.lineCol}}) {
        ReplaceChannel(text, colour, 'R', GetRValue(c));
        ReplaceChannel(text, colour, 'G', GetGValue(c));
        ReplaceChannel(text, colour, 'B', GetBValue(c));
    }
    ReplaceAll(text, "%P", "%");
    return text;
}
