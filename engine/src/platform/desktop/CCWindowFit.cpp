#include "platform/desktop/CCWindowFit.h"

#include <algorithm>
#include <cmath>

NS_CC_BEGIN

namespace {

bool hasArea(const Size& size)
{
    return size.width > 0.0f && size.height > 0.0f;
}

} // namespace

Rect letterbox(const Size& frame, const Size& window)
{
    if (!hasArea(frame) || !hasArea(window))
    {
        return Rect(Vec2::ZERO, window);
    }
    const float scale = std::min(window.width / frame.width, window.height / frame.height);
    const Size drawn(frame.width * scale, frame.height * scale);
    return Rect((window.width - drawn.width) / 2.0f, (window.height - drawn.height) / 2.0f, drawn.width, drawn.height);
}

Vec2 windowPointToFrame(const Size& frame, const Size& window, const Vec2& point)
{
    const Rect drawn = letterbox(frame, window);
    const float scale = drawn.size.width > 0.0f ? frame.width / drawn.size.width : 1.0f;
    return (point - drawn.origin) * scale;
}

Size fitWithin(const Size& wanted, const Size& room)
{
    if (!hasArea(wanted) || !hasArea(room))
    {
        return wanted;
    }
    const float scale = std::min({1.0f, room.width / wanted.width, room.height / wanted.height});
    return Size(std::max(1.0f, std::floor(wanted.width * scale)), std::max(1.0f, std::floor(wanted.height * scale)));
}

NS_CC_END
