#include "2d/CCMenuItem.h"

#include "2d/CCSprite.h"
#include "base/CCAutoreleased.h"

NS_CC_BEGIN

MenuItem::MenuItem()
{
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

MenuItem::~MenuItem() = default;

MenuItem* MenuItem::create()
{
    return create(ccMenuCallback());
}

MenuItem* MenuItem::create(const ccMenuCallback& callback)
{
    return createAutoreleased<MenuItem>([&](MenuItem& item) { return item.initWithCallback(callback); });
}

bool MenuItem::initWithCallback(const ccMenuCallback& callback)
{
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
    _callback = callback;
    _enabled = true;
    _selected = false;
    return true;
}

Rect MenuItem::rect() const
{
    return Rect(_position.x - _contentSize.width * _anchorPoint.x, _position.y - _contentSize.height * _anchorPoint.y,
                _contentSize.width, _contentSize.height);
}

void MenuItem::activate()
{
    if (_enabled && _callback)
    {
        _callback(this);
    }
}

MenuItemSprite* MenuItemSprite::create(Node* normalSprite, Node* selectedSprite, Node* disabledSprite)
{
    return create(normalSprite, selectedSprite, disabledSprite, ccMenuCallback());
}

MenuItemSprite* MenuItemSprite::create(Node* normalSprite, Node* selectedSprite, const ccMenuCallback& callback)
{
    return create(normalSprite, selectedSprite, nullptr, callback);
}

MenuItemSprite* MenuItemSprite::create(Node* normalSprite, Node* selectedSprite, Node* disabledSprite,
                                       const ccMenuCallback& callback)
{
    return createAutoreleased<MenuItemSprite>([&](MenuItemSprite& item) {
        return item.initWithNormalSprite(normalSprite, selectedSprite, disabledSprite, callback);
    });
}

bool MenuItemSprite::initWithNormalSprite(Node* normalSprite, Node* selectedSprite, Node* disabledSprite,
                                          const ccMenuCallback& callback)
{
    initWithCallback(callback);
    setNormalImage(normalSprite);
    setSelectedImage(selectedSprite);
    setDisabledImage(disabledSprite);
    return true;
}

void MenuItemSprite::replaceImage(Node*& slot, Node* image)
{
    if (image == slot)
    {
        return;
    }
    if (image)
    {
        addChild(image);
        image->setAnchorPoint(Vec2::ZERO);
    }
    if (slot)
    {
        removeChild(slot, true);
    }
    slot = image;
}

void MenuItemSprite::setNormalImage(Node* image)
{
    replaceImage(_normalImage, image);
    // A missing normal image leaves the item without area, so it is never hit.
    setContentSize(_normalImage ? _normalImage->getContentSize() : Size::ZERO);
    updateImagesVisibility();
}

void MenuItemSprite::setSelectedImage(Node* image)
{
    replaceImage(_selectedImage, image);
    updateImagesVisibility();
}

void MenuItemSprite::setDisabledImage(Node* image)
{
    replaceImage(_disabledImage, image);
    updateImagesVisibility();
}

void MenuItemSprite::selected()
{
    MenuItem::selected();
    if (_normalImage)
    {
        _normalImage->setVisible(!_selectedImage);
    }
    if (_selectedImage)
    {
        _selectedImage->setVisible(true);
    }
    if (_disabledImage)
    {
        _disabledImage->setVisible(false);
    }
}

void MenuItemSprite::unselected()
{
    MenuItem::unselected();
    updateImagesVisibility();
}

void MenuItemSprite::setEnabled(bool enabled)
{
    MenuItem::setEnabled(enabled);
    updateImagesVisibility();
}

void MenuItemSprite::updateImagesVisibility()
{
    const bool showDisabled = !_enabled && _disabledImage;
    if (_normalImage)
    {
        _normalImage->setVisible(!showDisabled);
    }
    if (_selectedImage)
    {
        _selectedImage->setVisible(false);
    }
    if (_disabledImage)
    {
        _disabledImage->setVisible(showDisabled);
    }
}

MenuItemImage* MenuItemImage::create()
{
    return create(std::string(), std::string(), std::string(), ccMenuCallback());
}

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage)
{
    return create(normalImage, selectedImage, std::string(), ccMenuCallback());
}

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage,
                                     const std::string& disabledImage)
{
    return create(normalImage, selectedImage, disabledImage, ccMenuCallback());
}

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage,
                                     const ccMenuCallback& callback)
{
    return create(normalImage, selectedImage, std::string(), callback);
}

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage,
                                     const std::string& disabledImage, const ccMenuCallback& callback)
{
    return createAutoreleased<MenuItemImage>([&](MenuItemImage& item) {
        return item.initWithNormalImage(normalImage, selectedImage, disabledImage, callback);
    });
}

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage, Ref* target,
                                     SEL_MenuHandler selector)
{
    return create(normalImage, selectedImage, std::string(), target, selector);
}

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage,
                                     const std::string& disabledImage, Ref* target, SEL_MenuHandler selector)
{
    // The selector form does not keep its target alive.
    return create(normalImage, selectedImage, disabledImage,
                  [target, selector](Ref* sender) { (target->*selector)(sender); });
}

bool MenuItemImage::initWithNormalImage(const std::string& normalImage, const std::string& selectedImage,
                                        const std::string& disabledImage, const ccMenuCallback& callback)
{
    Node* normal = normalImage.empty() ? nullptr : Sprite::create(normalImage);
    Node* selected = selectedImage.empty() ? nullptr : Sprite::create(selectedImage);
    Node* disabled = disabledImage.empty() ? nullptr : Sprite::create(disabledImage);
    return initWithNormalSprite(normal, selected, disabled, callback);
}

NS_CC_END
