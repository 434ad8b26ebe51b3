#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FrameTiming.h"
#include "SpriteField.h"

// SDL2's render drivers compiled into the system's library, in SDL's order of preference.
struct SdlDriver
{
    std::string name;
    bool accelerated;
};
std::vector<SdlDriver> sdlDrivers();

// The same picture through SDL2's 2-D renderer with the named driver, in a window of the same size.
Measurement measureSdl(const std::string& driver, const SpriteField& field, const FrameBudget& budget,
                       std::vector<std::uint32_t>& capture);
