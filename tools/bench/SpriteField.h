#pragma once

#include <string>
#include <vector>

// The picture both renderers draw: sprites of the game's flying images at fixed pseudo-random
// places in a window of the game's size. Kinds come in mixed order, as shots and enemies
// arrive in a running game, so neither renderer gets long runs of one texture for free.
constexpr int kWindowWidth = 960;
constexpr int kWindowHeight = 640;

struct SpriteImage
{
    std::string file;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba; // straight alpha, rows from the top
};

// Window pixels, y down from the top edge; whole pixels, so both renderers cover the same ones.
struct Placement
{
    size_t image;
    int left;
    int top;
};

struct SpriteField
{
    std::vector<SpriteImage> images;
    std::vector<Placement> sprites;
};

// Decodes the images from the engine's resource folder; throws std::runtime_error when one fails.
SpriteField makeSpriteField(size_t spriteCount);
