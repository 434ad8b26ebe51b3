#pragma once

#include <string>

#include "2d/CCNode.h"

NS_CC_BEGIN

class Texture2D;

// A textured quad the size of its image (or of a rectangle of it), anchored at its centre.
class Sprite : public Node
{
public:
    static Sprite* create();
    static Sprite* create(const std::string& filename);
    static Sprite* create(const std::string& filename, const Rect& rect);
    static Sprite* createWithTexture(Texture2D* texture);
    static Sprite* createWithTexture(Texture2D* texture, const Rect& rect);

    Sprite();
    ~Sprite() override;

    bool init() override;
    virtual bool initWithFile(const std::string& filename);
    virtual bool initWithFile(const std::string& filename, const Rect& rect);
    virtual bool initWithTexture(Texture2D* texture);
    virtual bool initWithTexture(Texture2D* texture, const Rect& rect);

    virtual void setTexture(Texture2D* texture);
    virtual Texture2D* getTexture() const { return _texture; }
    virtual void setTextureRect(const Rect& rect);
    const Rect& getTextureRect() const { return _rect; }

    void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;

private:
    Texture2D* _texture = nullptr;
    Rect _rect;
};

NS_CC_END
