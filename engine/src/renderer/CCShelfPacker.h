#pragma once

#include <algorithm>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// Fills a page row by row: boxes go left to right on the current shelf, and a box that
// does not fit opens a new shelf below the tallest box of the current one.
class ShelfPacker
{
public:
    explicit ShelfPacker(int side) : _side(side) {}

    // The top-left corner for a width × height box; false when the page has no room left.
    bool insert(int width, int height, int& x, int& y)
    {
        if (width > _side)
            return false;
        if (_shelfX + width > _side)
        {
            _shelfY += _shelfHeight;
            _shelfX = 0;
            _shelfHeight = 0;
        }
        if (_shelfY + height > _side)
            return false;
        x = _shelfX;
        y = _shelfY;
        _shelfX += width;
        _shelfHeight = std::max(_shelfHeight, height);
        return true;
    }

private:
    int _side;
    int _shelfX = 0;
    int _shelfY = 0;
    int _shelfHeight = 0;
};

NS_CC_END
