// PNG encoding of a CDibBuffer through libpng.
#pragma once

#include <cstdint>
#include <vector>

class CDibBuffer;

// The picture as a PNG file's bytes: 8-bit RGB, or RGBA from its coverage plane when it has
// one, with the resolution (a pHYs chunk in pixels per metre) of `dpi`. False, with no
// bytes, when libpng refuses or the memory runs out.
bool EncodePng(const CDibBuffer& picture, int dpi, std::vector<std::uint8_t>& bytes);
