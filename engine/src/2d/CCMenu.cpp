#include "2d/CCMenu.h"

#include <algorithm>
#include <cstdarg>

#include "base/CCAutoreleased.h"
#include "base/CCDirector.h"
#include "base/CCEventDispatcher.h"
#include "base/CCEventListenerTouch.h"
#include "base/CCTouch.h"

NS_CC_BEGIN

Menu* Menu::create()
{
    return createWithArray(Vector<MenuItem*>());
}

Menu* Menu::create(MenuItem* item, ...)
{
    Vector<MenuItem*> items;
    va_list args;
    va_start(args, item);
    for (MenuItem* i = item; i; i = va_arg(args, MenuItem*))
    {
        items.pushBack(i);
    }
    va_end(args);
    return createWithArray(items);
}

Menu* Menu::createWithItem(MenuItem* item)
{
    return create(item, nullptr);
}

Menu* Menu::createWithArray(const Vector<MenuItem*>& arrayOfItems)
{
    return createAutoreleased<Menu>([&](Menu& menu) { return menu.initWithArray(arrayOfItems); });
}

bool Menu::init()
{
    return initWithArray(Vector<MenuItem*>());
}

bool Menu::initWithArray(const Vector<MenuItem*>& arrayOfItems)
{
    if (!Layer::init())
    {
        return false;
    }
    _enabled = true;
    // Local (0,0) stands at the window's centre until the game moves the menu.
    const Size winSize = Director::getInstance()->getWinSize();
    setIgnoreAnchorPointForPosition(true);
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
    setContentSize(winSize);
    setPosition(winSize.width / 2, winSize.height / 2);

    int z = 0;
    for (MenuItem* item : arrayOfItems)
    {
        addChild(item, z++);
    }
    _selectedItem = nullptr;
    _state = State::WAITING;

    auto* touchListener = EventListenerTouchOneByOne::create();
    touchListener->setSwallowTouches(true);
    touchListener->onTouchBegan = CC_CALLBACK_2(Menu::onTouchBegan, this);
    touchListener->onTouchMoved = CC_CALLBACK_2(Menu::onTouchMoved, this);
    touchListener->onTouchEnded = CC_CALLBACK_2(Menu::onTouchEnded, this);
    touchListener->onTouchCancelled = CC_CALLBACK_2(Menu::onTouchCancelled, this);
    _eventDispatcher->addEventListenerWithSceneGraphPriority(touchListener, this);
    return true;
}

void Menu::addChild(Node* child)
{
    addChild(child, child ? child->getLocalZOrder() : 0, child ? child->getName() : std::string());
}

void Menu::addChild(Node* child, int zOrder)
{
    addChild(child, zOrder, child ? child->getName() : std::string());
}

void Menu::addChild(Node* child, int zOrder, int tag)
{
    if (!dynamic_cast<MenuItem*>(child))
    {
        log("Menu::addChild: only menu items can be added to a menu; ignored");
        return;
    }
    Layer::addChild(child, zOrder, tag);
}

void Menu::addChild(Node* child, int zOrder, const std::string& name)
{
    if (!dynamic_cast<MenuItem*>(child))
    {
        log("Menu::addChild: only menu items can be added to a menu; ignored");
        return;
    }
    Layer::addChild(child, zOrder, name);
}

void Menu::removeChild(Node* child, bool cleanup)
{
    // A held item may be freed here: the release must not activate it.
    if (child == _selectedItem)
    {
        _selectedItem = nullptr;
    }
    Layer::removeChild(child, cleanup);
}

void Menu::onExit()
{
    if (_state == State::TRACKING_TOUCH)
    {
        if (_selectedItem)
        {
            _selectedItem->unselected();
            _selectedItem = nullptr;
        }
        _state = State::WAITING;
    }
    Layer::onExit();
}

MenuItem* Menu::getItemForTouch(Touch* touch)
{
    const Vec2 location = touch->getLocation();
    for (Node* child : _children)
    {
        auto* item = dynamic_cast<MenuItem*>(child);
        if (!item || !item->isVisible() || !item->isEnabled())
        {
            continue;
        }
        const Vec2 local = item->convertToNodeSpace(location);
        const Size size = item->getContentSize();
        if (Rect(0, 0, size.width, size.height).containsPoint(local))
        {
            return item;
        }
    }
    return nullptr;
}

bool Menu::onTouchBegan(Touch* touch, Event*)
{
    if (_state != State::WAITING || !_visible || !_enabled)
    {
        return false;
    }
    for (Node* ancestor = _parent; ancestor; ancestor = ancestor->getParent())
    {
        if (!ancestor->isVisible())
        {
            return false;
        }
    }
    _selectedItem = getItemForTouch(touch);
    if (!_selectedItem)
    {
        return false;
    }
    _state = State::TRACKING_TOUCH;
    _selectedItem->selected();
    return true;
}

void Menu::onTouchEnded(Touch*, Event*)
{
    // Keep the menu alive through the callback, which may replace the scene or end the game.
    retain();
    if (_selectedItem)
    {
        _selectedItem->unselected();
        _selectedItem->activate();
    }
    _state = State::WAITING;
    release();
}

void Menu::onTouchCancelled(Touch*, Event*)
{
    if (_selectedItem)
    {
        _selectedItem->unselected();
    }
    _state = State::WAITING;
}

void Menu::onTouchMoved(Touch* touch, Event*)
{
    MenuItem* current = getItemForTouch(touch);
    if (current != _selectedItem)
    {
        if (_selectedItem)
        {
            _selectedItem->unselected();
        }
        _selectedItem = current;
        if (_selectedItem)
        {
            _selectedItem->selected();
        }
    }
}

void Menu::alignItemsVertically()
{
    alignItemsVerticallyWithPadding(5.0f);
}

void Menu::alignItemsVerticallyWithPadding(float padding)
{
    float height = -padding;
    for (Node* child : _children)
    {
        height += child->getContentSize().height * child->getScaleY() + padding;
    }
    float y = height / 2.0f;
    for (Node* child : _children)
    {
        const float childHeight = child->getContentSize().height * child->getScaleY();
        child->setPosition(0, y - childHeight / 2.0f);
        y -= childHeight + padding;
    }
}

void Menu::alignItemsHorizontally()
{
    alignItemsHorizontallyWithPadding(5.0f);
}

void Menu::alignItemsHorizontallyWithPadding(float padding)
{
    float width = -padding;
    for (Node* child : _children)
    {
        width += child->getContentSize().width * child->getScaleX() + padding;
    }
    float x = -width / 2.0f;
    for (Node* child : _children)
    {
        const float childWidth = child->getContentSize().width * child->getScaleX();
        child->setPosition(x + childWidth / 2.0f, 0);
        x += childWidth + padding;
    }
}

NS_CC_END
