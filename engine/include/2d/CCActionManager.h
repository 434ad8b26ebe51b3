#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "base/CCRef.h"

NS_CC_BEGIN

class Action;
class Node;

// Steps every running action once per frame. Each target with actions is retained until
// its last action is gone, or until the manager holds the only reference to it.
class ActionManager : public Ref
{
public:
    ActionManager();
    ~ActionManager() override;

    virtual void addAction(Action* action, Node* target, bool paused);
    virtual void removeAllActions();
    virtual void removeAllActionsFromTarget(Node* target);
    virtual void removeAction(Action* action);
    virtual void removeActionByTag(int tag, Node* target);
    virtual void removeAllActionsByTag(int tag, Node* target);
    virtual Action* getActionByTag(int tag, const Node* target) const;
    virtual ssize_t getNumberOfRunningActionsInTarget(const Node* target) const;
    ssize_t getNumberOfRunningActions() const;
    virtual void pauseTarget(Node* target);
    virtual void resumeTarget(Node* target);
    virtual void update(float dt);

private:
    struct Entry
    {
        Node* target = nullptr;
        std::vector<Action*> actions; // null where removed during a pass
        bool paused = false;
        bool removed = false;
    };

    Entry* find(const Node* target) const;
    void removeSlot(Entry& entry, size_t index);
    void afterRemoval(Entry& entry);
    void purgeRemovedEntries();

    std::vector<std::unique_ptr<Entry>> _entries;
    std::unordered_map<const Node*, Entry*> _byTarget;
    bool _updating = false;
};

NS_CC_END
