#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/CCRef.h"
#include "base/CCVector.h"
#include "base/ccTypes.h"

NS_CC_BEGIN

class Action;
class ActionManager;
class EventDispatcher;
class Renderer;
class Scene;
class Scheduler;

class Node : public Ref
{
public:
    static const int INVALID_TAG = -1;

    static Node* create();

    Node();
    ~Node() override;
    // A node belongs to one place in one tree: copies would share its children and schedules.
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    virtual bool init();

    // Children
    virtual void addChild(Node* child);
    virtual void addChild(Node* child, int localZOrder);
    virtual void addChild(Node* child, int localZOrder, int tag);
    virtual void addChild(Node* child, int localZOrder, const std::string& name);
    virtual Node* getChildByTag(int tag) const;
    template <typename T>
    T getChildByTag(int tag) const
    {
        return static_cast<T>(getChildByTag(tag));
    }
    virtual Node* getChildByName(const std::string& name) const;
    virtual Vector<Node*>& getChildren() { return _children; }
    virtual const Vector<Node*>& getChildren() const { return _children; }
    virtual ssize_t getChildrenCount() const { return _children.size(); }
    virtual Node* getParent() { return _parent; }
    virtual const Node* getParent() const { return _parent; }
    virtual void setParent(Node* parent) { _parent = parent; }
    virtual void removeFromParent();
    virtual void removeFromParentAndCleanup(bool cleanup);
    virtual void removeChild(Node* child, bool cleanup = true);
    virtual void removeChildByTag(int tag, bool cleanup = true);
    virtual void removeAllChildren();
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    virtual void reorderChild(Node* child, int localZOrder);
    virtual void sortAllChildren();

    // Identity and order
    virtual void setLocalZOrder(std::int32_t localZOrder);
    virtual std::int32_t getLocalZOrder() const { return _localZOrder; }
    std::uint32_t getOrderOfArrival() const { return _orderOfArrival; }
    virtual int getTag() const { return _tag; }
    virtual void setTag(int tag) { _tag = tag; }
    virtual const std::string& getName() const { return _name; }
    virtual void setName(const std::string& name) { _name = name; }

    // Geometry
    virtual void setPosition(const Vec2& position);
    virtual void setPosition(float x, float y);
    virtual const Vec2& getPosition() const { return _position; }
    virtual float getPositionX() const { return _position.x; }
    virtual float getPositionY() const { return _position.y; }
    virtual void setPositionX(float x);
    virtual void setPositionY(float y);
    virtual void setContentSize(const Size& contentSize);
    virtual const Size& getContentSize() const { return _contentSize; }
    virtual void setAnchorPoint(const Vec2& anchorPoint);
    virtual const Vec2& getAnchorPoint() const { return _anchorPoint; }
    virtual const Vec2& getAnchorPointInPoints() const { return _anchorPointInPoints; }
    virtual void setIgnoreAnchorPointForPosition(bool ignore);
    virtual bool isIgnoreAnchorPointForPosition() const { return _ignoreAnchorPointForPosition; }
    CC_DEPRECATED_ATTRIBUTE virtual void ignoreAnchorPointForPosition(bool ignore)
    {
        setIgnoreAnchorPointForPosition(ignore);
    }
    virtual void setScale(float scale);
    virtual void setScaleX(float scaleX);
    virtual void setScaleY(float scaleY);
    virtual float getScaleX() const { return _scaleX; }
    virtual float getScaleY() const { return _scaleY; }
    virtual void setRotation(float degrees);
    virtual float getRotation() const { return _rotation; }
    virtual void setVisible(bool visible) { _visible = visible; }
    virtual bool isVisible() const { return _visible; }
    virtual void setColor(const Color3B& color) { _color = color; }
    virtual const Color3B& getColor() const { return _color; }
    virtual void setOpacity(GLubyte opacity) { _opacity = opacity; }
    virtual GLubyte getOpacity() const { return _opacity; }
    virtual Rect getBoundingBox() const;
    // Transform from this node's space to its parent's.
    virtual Mat4 getNodeToParentTransform() const;
    Mat4 getNodeToWorldTransform() const;
    Vec2 convertToNodeSpace(const Vec2& worldPoint) const;
    Vec2 convertToWorldSpace(const Vec2& nodePoint) const;

    // Actions
    virtual Action* runAction(Action* action);
    void stopAllActions();
    void stopAction(Action* action);
    void stopActionByTag(int tag);
    Action* getActionByTag(int tag);
    ssize_t getNumberOfRunningActions() const;
    virtual ActionManager* getActionManager() { return _actionManager; }
    virtual Scheduler* getScheduler() { return _scheduler; }
    virtual EventDispatcher* getEventDispatcher() const { return _eventDispatcher; }

    // Schedules
    void schedule(SEL_SCHEDULE selector);
    void schedule(SEL_SCHEDULE selector, float interval);
    void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
    void scheduleOnce(SEL_SCHEDULE selector, float delay);
    void schedule(const std::function<void(float)>& callback, const std::string& key);
    void schedule(const std::function<void(float)>& callback, float interval, const std::string& key);
    void schedule(const std::function<void(float)>& callback, float interval, unsigned int repeat, float delay,
                  const std::string& key);
    void unschedule(SEL_SCHEDULE selector);
    void unschedule(const std::string& key);
    void unscheduleAllCallbacks();
    CC_DEPRECATED_ATTRIBUTE void unscheduleAllSelectors() { unscheduleAllCallbacks(); }
    bool isScheduled(SEL_SCHEDULE selector) const;
    void scheduleUpdate();
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate();
    virtual void update(float delta);

    // Lifecycle
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExitTransitionDidStart();
    virtual void onExit();
    virtual void cleanup();
    virtual bool isRunning() const { return _running; }
    virtual void pause();
    virtual void resume();
    virtual Scene* getScene() const;

    // Drawing
    virtual void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags);
    virtual void draw(Renderer* renderer, const Mat4& transform, uint32_t flags);

protected:
    void updateAnchorPointInPoints();
    // Takes a child out of the tree: exit if running, cleanup if asked, parent cleared.
    void detachChild(Node* child, bool cleanup);

    Vec2 _position;
    Size _contentSize;
    Vec2 _anchorPoint;
    Vec2 _anchorPointInPoints;
    bool _ignoreAnchorPointForPosition = false;
    float _scaleX = 1.0f;
    float _scaleY = 1.0f;
    float _rotation = 0.0f;
    bool _visible = true;
    Color3B _color = Color3B::WHITE;
    GLubyte _opacity = 255;

    std::int32_t _localZOrder = 0;
    std::uint32_t _orderOfArrival = 0;
    bool _reorderChildDirty = false;
    int _tag = INVALID_TAG;
    std::string _name;
    Vector<Node*> _children;
    Node* _parent = nullptr;
    bool _running = false;
    // Whether onEnterTransitionDidFinish has come since the last onEnter.
    bool _transitionFinished = false;

    Scheduler* _scheduler = nullptr;
    ActionManager* _actionManager = nullptr;
    EventDispatcher* _eventDispatcher = nullptr;
};

NS_CC_END
