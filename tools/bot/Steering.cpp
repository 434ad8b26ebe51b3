#include "Steering.h"

#include <algorithm>
#include <limits>

USING_NS_CC;

namespace {
// How far ahead a threat counts: an enemy shot covers this in about one steering move (0.25 s).
const float kLookAhead = 260;
// Gap kept between the craft's box and a threat's box, above or below it.
const float kClearance = 24;
// The craft's centre keeps this far from the top and bottom edges.
const float kEdgeRoom = 60;

// Enemies and enemy shots whose height band (widened by the clearance) meets the craft's, and that
// are level with it or ahead within reach: the nearest of them by horizontal gap.
const Sprite* nearestThreat(const HelloWorld& layer, const Rect& craft)
{
    const Sprite* nearest = nullptr;
    float nearestGap = std::numeric_limits<float>::max();
    auto consider = [&](const Sprite* sprite) {
        const Rect box = spriteBox(sprite);
        const bool inBand = box.getMinY() < craft.getMaxY() + kClearance &&
                            box.getMaxY() > craft.getMinY() - kClearance;
        const float gap = box.getMinX() - craft.getMaxX();
        if (inBand && box.getMaxX() >= craft.getMinX() && gap <= kLookAhead && gap < nearestGap)
        {
            nearest = sprite;
            nearestGap = gap;
        }
    };
    for (const Sprite* enemy : *layer.enemies)
    {
        consider(enemy);
    }
    for (const Sprite* shot : *layer.shots)
    {
        if (shot->getTag() == TAG_ENEMY_SHOT)
        {
            consider(shot);
        }
    }
    return nearest;
}
} // namespace

float chooseHeight(const HelloWorld& layer, const Node& player)
{
    const float low = kEdgeRoom;
    const float high = layer.visibleSize.height - kEdgeRoom;
    const float y = player.getPositionY();
    const Rect craft = spriteBox(&player);
    const Sprite* threat = nearestThreat(layer, craft);
    if (!threat)
    {
        return std::clamp(y, low, high);
    }
    const Rect box = spriteBox(threat);
    const float halfCraft = craft.size.height / 2;
    const float below = box.getMinY() - kClearance - halfCraft;
    const float above = box.getMaxY() + kClearance + halfCraft;
    // Leave on the side the craft is on, so the move does not cross the threat, unless an edge is in the way.
    const bool craftIsLower = y < threat->getPositionY();
    const float away = craftIsLower ? below : above;
    const float across = craftIsLower ? above : below;
    return away >= low && away <= high ? away : std::clamp(across, low, high);
}
