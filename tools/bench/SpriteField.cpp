#include "SpriteField.h"

#include <random>
#include <stdexcept>

#include "cocos2d.h"
#include "platform/CCImage.h"

namespace {

const char* const kImageFiles[] = {"Player.png", "Projectile.png", "Bird.png", "Bomber.png", "Fighter.png"};
constexpr unsigned kSeed = 2024;

SpriteImage loadImage(const char* file)
{
    cocos2d::Image image;
    if (!image.initWithImageFile(file))
        throw std::runtime_error(std::string("cannot decode ") + file);
    const unsigned char* data = image.getData();
    return {file, image.getWidth(), image.getHeight(), std::vector<unsigned char>(data, data + image.getDataLen())};
}

} // namespace

SpriteField makeSpriteField(size_t spriteCount)
{
    SpriteField field;
    for (const char* file : kImageFiles)
        field.images.push_back(loadImage(file));

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<size_t> anyImage(0, field.images.size() - 1);
    field.sprites.reserve(spriteCount);
    for (size_t i = 0; i < spriteCount; ++i)
    {
        const size_t image = anyImage(random);
        const SpriteImage& p = field.images[image];
        // Wholly inside the window: neither renderer saves work by clipping.
        std::uniform_int_distribution<int> left(0, kWindowWidth - p.width);
        std::uniform_int_distribution<int> top(0, kWindowHeight - p.height);
        field.sprites.push_back({image, left(random), top(random)});
    }
    return field;
}
