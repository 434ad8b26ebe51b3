#include "2d/CCSprite.h"

#include "base/CCAutoreleased.h"
#include "base/CCDirector.h"
#include "math/CCTransform2D.h"
#include "renderer/CCRenderer.h"
#include "renderer/CCTexture2D.h"
#include "renderer/CCTextureCache.h"

NS_CC_BEGIN

Sprite* Sprite::create()
{
    return createAutoreleased<Sprite>([](Sprite& s) { return s.init(); });
}

Sprite* Sprite::create(const std::string& filename)
{
    return createAutoreleased<Sprite>([&filename](Sprite& s) { return s.initWithFile(filename); });
}

Sprite* Sprite::create(const std::string& filename, const Rect& rect)
{
    return createAutoreleased<Sprite>([&](Sprite& s) { return s.initWithFile(filename, rect); });
}

Sprite* Sprite::createWithTexture(Texture2D* texture)
{
    return createAutoreleased<Sprite>([texture](Sprite& s) { return s.initWithTexture(texture); });
}

Sprite* Sprite::createWithTexture(Texture2D* texture, const Rect& rect)
{
    return createAutoreleased<Sprite>([&](Sprite& s) { return s.initWithTexture(texture, rect); });
}

Sprite::Sprite()
{
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Sprite::~Sprite()
{
    CC_SAFE_RELEASE(_texture);
}

bool Sprite::init()
{
    return initWithTexture(nullptr, Rect::ZERO);
}

bool Sprite::initWithFile(const std::string& filename)
{
    if (filename.empty())
    {
        return false;
    }
    Texture2D* texture = Director::getInstance()->getTextureCache()->addImage(filename);
    return texture && initWithTexture(texture);
}

bool Sprite::initWithFile(const std::string& filename, const Rect& rect)
{
    if (filename.empty())
    {
        return false;
    }
    Texture2D* texture = Director::getInstance()->getTextureCache()->addImage(filename);
    return texture && initWithTexture(texture, rect);
}

bool Sprite::initWithTexture(Texture2D* texture)
{
    if (!texture)
    {
        return false;
    }
    return initWithTexture(texture, Rect(Vec2::ZERO, texture->getContentSize()));
}

bool Sprite::initWithTexture(Texture2D* texture, const Rect& rect)
{
    setTexture(texture);
    setTextureRect(rect);
    return true;
}

void Sprite::setTexture(Texture2D* texture)
{
    if (texture != _texture)
    {
        CC_SAFE_RETAIN(texture);
        CC_SAFE_RELEASE(_texture);
        _texture = texture;
    }
}

void Sprite::setTextureRect(const Rect& rect)
{
    _rect = rect;
    setContentSize(rect.size);
}

void Sprite::draw(Renderer* renderer, const Mat4& transform, uint32_t)
{
    if (!_texture || _contentSize.width <= 0.0f || _contentSize.height <= 0.0f)
    {
        return;
    }
    const float texWidth = static_cast<float>(_texture->getPixelsWide());
    const float texHeight = static_cast<float>(_texture->getPixelsHigh());
    const float left = _rect.getMinX() / texWidth;
    const float right = _rect.getMaxX() / texWidth;
    // Texture rows run from the top of the image.
    const float top = _rect.getMinY() / texHeight;
    const float bottom = _rect.getMaxY() / texHeight;
    const Color4B color(_color.r, _color.g, _color.b, _opacity);

    V3F_C4B_T2F_Quad quad;
    quad.bl = {transformed(transform, 0, 0), color, Tex2F(left, bottom)};
    quad.br = {transformed(transform, _contentSize.width, 0), color, Tex2F(right, bottom)};
    quad.tl = {transformed(transform, 0, _contentSize.height), color, Tex2F(left, top)};
    quad.tr = {transformed(transform, _contentSize.width, _contentSize.height), color, Tex2F(right, top)};
    renderer->addQuad(_texture, quad);
}

NS_CC_END
