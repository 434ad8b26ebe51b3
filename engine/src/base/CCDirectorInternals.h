#pragma once

#include "base/CCDirector.h"

NS_CC_BEGIN

class Renderer;
class StatsDisplay;

// What the engine's own code, its tests and tools reach in the Director beyond 3.17's API.
class DirectorInternals
{
public:
    static Renderer* getRenderer(const Director& director) { return director._renderer.get(); }
    static const StatsDisplay& getStatsDisplay(const Director& director) { return *director._stats; }
    // The view calls this when its design resolution changes.
    static void updateWinSizeFromView(Director& director);
};

NS_CC_END
