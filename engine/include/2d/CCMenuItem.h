#pragma once

#include <functional>
#include <string>

#include "2d/CCNode.h"

NS_CC_BEGIN

typedef std::function<void(Ref*)> ccMenuCallback;

class MenuItem : public Node
{
public:
    static MenuItem* create();
    static MenuItem* create(const ccMenuCallback& callback);

    ~MenuItem() override;
    bool initWithCallback(const ccMenuCallback& callback);

    Rect rect() const;
    virtual void activate();
    virtual void selected() { _selected = true; }
    virtual void unselected() { _selected = false; }
    virtual void setEnabled(bool value) { _enabled = value; }
    virtual bool isEnabled() const { return _enabled; }
    virtual bool isSelected() const { return _selected; }
    void setCallback(const ccMenuCallback& callback) { _callback = callback; }

    CC_CONSTRUCTOR_ACCESS : MenuItem();

protected:
    bool _selected = false;
    bool _enabled = false;
    ccMenuCallback _callback;
};

// A menu item that shows one of up to three images for its normal, selected and disabled states.
class MenuItemSprite : public MenuItem
{
public:
    static MenuItemSprite* create(Node* normalSprite, Node* selectedSprite, Node* disabledSprite = nullptr);
    static MenuItemSprite* create(Node* normalSprite, Node* selectedSprite, const ccMenuCallback& callback);
    static MenuItemSprite* create(Node* normalSprite, Node* selectedSprite, Node* disabledSprite,
                                  const ccMenuCallback& callback);

    bool initWithNormalSprite(Node* normalSprite, Node* selectedSprite, Node* disabledSprite,
                              const ccMenuCallback& callback);

    Node* getNormalImage() const { return _normalImage; }
    Node* getSelectedImage() const { return _selectedImage; }
    Node* getDisabledImage() const { return _disabledImage; }
    void setNormalImage(Node* image);
    void setSelectedImage(Node* image);
    void setDisabledImage(Node* image);

    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

protected:
    void updateImagesVisibility();
    void replaceImage(Node*& slot, Node* image);

    Node* _normalImage = nullptr;
    Node* _selectedImage = nullptr;
    Node* _disabledImage = nullptr;
};

class MenuItemImage : public MenuItemSprite
{
public:
    static MenuItemImage* create();
    static MenuItemImage* create(const std::string& normalImage, const std::string& selectedImage);
    static MenuItemImage* create(const std::string& normalImage, const std::string& selectedImage,
                                 const std::string& disabledImage);
    static MenuItemImage* create(const std::string& normalImage, const std::string& selectedImage,
                                 const ccMenuCallback& callback);
    static MenuItemImage* create(const std::string& normalImage, const std::string& selectedImage,
                                 const std::string& disabledImage, const ccMenuCallback& callback);
    CC_DEPRECATED_ATTRIBUTE static MenuItemImage*
    create(const std::string& normalImage, const std::string& selectedImage, Ref* target, SEL_MenuHandler selector);
    CC_DEPRECATED_ATTRIBUTE static MenuItemImage* create(const std::string& normalImage,
                                                         const std::string& selectedImage,
                                                         const std::string& disabledImage, Ref* target,
                                                         SEL_MenuHandler selector);

    bool initWithNormalImage(const std::string& normalImage, const std::string& selectedImage,
                             const std::string& disabledImage, const ccMenuCallback& callback);
};

NS_CC_END
