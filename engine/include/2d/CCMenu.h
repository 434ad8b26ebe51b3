#pragma once

#include "2d/CCLayer.h"
#include "2d/CCMenuItem.h"
#include "base/CCVector.h"

NS_CC_BEGIN

// A layer of menu items that hears touches (and so left clicks) and fires an item on release.
class Menu : public Layer
{
public:
    enum class State
    {
        WAITING,
        TRACKING_TOUCH,
    };

    static Menu* create();
    static Menu* create(MenuItem* item, ...) CC_REQUIRES_NULL_TERMINATION;
    static Menu* createWithArray(const Vector<MenuItem*>& arrayOfItems);
    static Menu* createWithItem(MenuItem* item);

    bool init() override;
    bool initWithArray(const Vector<MenuItem*>& arrayOfItems);

    void alignItemsVertically();
    void alignItemsVerticallyWithPadding(float padding);
    void alignItemsHorizontally();
    void alignItemsHorizontallyWithPadding(float padding);

    virtual void setEnabled(bool value) { _enabled = value; }
    virtual bool isEnabled() const { return _enabled; }
    State getState() const { return _state; }

    void addChild(Node* child) override;
    void addChild(Node* child, int zOrder) override;
    void addChild(Node* child, int zOrder, int tag) override;
    void addChild(Node* child, int zOrder, const std::string& name) override;
    void removeChild(Node* child, bool cleanup = true) override;
    void onExit() override;

    bool onTouchBegan(Touch* touch, Event* event) override;
    void onTouchEnded(Touch* touch, Event* event) override;
    void onTouchCancelled(Touch* touch, Event* event) override;
    void onTouchMoved(Touch* touch, Event* event) override;

protected:
    MenuItem* getItemForTouch(Touch* touch);

    bool _enabled = false;
    State _state = State::WAITING;
    MenuItem* _selectedItem = nullptr;
};

NS_CC_END
