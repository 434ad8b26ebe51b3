// Windows icon files (.ico): several pictures of one drawing, one per size.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

// Pictures up to 255 px are stored as 32-bit bitmaps, which every reader takes; larger ones
// as PNG, as Windows' own icons do. Throws std::invalid_argument for a picture that is not
// square or is larger than 256 px.
std::vector<std::uint8_t> encodeIco(const std::vector<Canvas>& pictures);
