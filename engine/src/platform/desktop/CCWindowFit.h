#pragma once

#include "math/CCGeometry.h"

NS_CC_BEGIN

// The arithmetic between a window, the frame drawn in it and the screen it opens on. All in
// window units with the origin at the top left.

// Where a frame is drawn in a window: as large as fits, undistorted, centred. A window
// of the frame's own size (times the zoom) is filled exactly.
Rect letterbox(const Size& frame, const Size& window);

// The frame point under a window point, through the same rectangle as letterbox.
Vec2 windowPointToFrame(const Size& frame, const Size& window, const Vec2& point);

// The largest size of `wanted`'s proportions that fits into `room`, never larger than
// `wanted` and never smaller than one unit a side; `wanted` itself when `room` is empty.
Size fitWithin(const Size& wanted, const Size& room);

NS_CC_END
