#pragma once

#include "2d/CCNode.h"

NS_CC_BEGIN

// The root of a node tree that the Director runs.
class Scene : public Node
{
public:
    static Scene* create();
    static Scene* createWithSize(const Size& size);

    Scene();
    bool init() override;
    bool initWithSize(const Size& size);
};

NS_CC_END
