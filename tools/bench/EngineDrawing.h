#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FrameTiming.h"
#include "SpriteField.h"

// Our engine's whole frame: a scene of sprites through Director::mainLoop (visit, batch, draw,
// swap) in a desktop window. The window's last frame is left in `capture` (0xRRGGBB).
Measurement measureEngine(const SpriteField& field, const FrameBudget& budget, std::vector<std::uint32_t>& capture);
