#include "2d/CCActionManager.h"

#include <algorithm>

#include "2d/CCAction.h"
#include "2d/CCNode.h"

NS_CC_BEGIN

ActionManager::ActionManager() = default;

ActionManager::~ActionManager()
{
    removeAllActions();
    purgeRemovedEntries();
}

ActionManager::Entry* ActionManager::find(const Node* target) const
{
    auto it = _byTarget.find(target);
    return it == _byTarget.end() ? nullptr : it->second;
}

void ActionManager::addAction(Action* action, Node* target, bool paused)
{
    if (!action || !target)
    {
        return;
    }
    Entry* entry = find(target);
    if (!entry)
    {
        auto created = std::make_unique<Entry>();
        created->target = target;
        created->paused = paused;
        target->retain();
        entry = created.get();
        _byTarget[target] = entry;
        _entries.push_back(std::move(created));
    }
    entry->removed = false;
    action->retain();
    entry->actions.push_back(action);
    action->startWithTarget(target);
}

void ActionManager::removeSlot(Entry& entry, size_t index)
{
    Action* action = entry.actions[index];
    if (!action)
    {
        return;
    }
    // During a pass the slot is only emptied, so indices stay valid for the loop.
    if (_updating)
    {
        entry.actions[index] = nullptr;
    }
    else
    {
        entry.actions.erase(entry.actions.begin() + static_cast<std::ptrdiff_t>(index));
    }
    action->release();
}

void ActionManager::afterRemoval(Entry& entry)
{
    const bool empty = std::all_of(entry.actions.begin(), entry.actions.end(), [](Action* a) { return !a; });
    if (empty)
    {
        entry.removed = true;
        if (!_updating)
        {
            purgeRemovedEntries();
        }
    }
}

void ActionManager::removeAllActions()
{
    const bool updating = _updating;
    _updating = true;
    for (auto& entry : _entries)
    {
        removeAllActionsFromTarget(entry->target);
    }
    _updating = updating;
    if (!_updating)
    {
        purgeRemovedEntries();
    }
}

void ActionManager::removeAllActionsFromTarget(Node* target)
{
    Entry* entry = find(target);
    if (!entry)
    {
        return;
    }
    const bool updating = _updating;
    _updating = true; // empty slots only; the purge below releases the target last
    for (size_t i = 0; i < entry->actions.size(); ++i)
    {
        removeSlot(*entry, i);
    }
    _updating = updating;
    afterRemoval(*entry);
}

void ActionManager::removeAction(Action* action)
{
    if (!action)
    {
        return;
    }
    Entry* entry = find(action->getOriginalTarget());
    if (!entry)
    {
        return;
    }
    auto it = std::find(entry->actions.begin(), entry->actions.end(), action);
    if (it != entry->actions.end())
    {
        removeSlot(*entry, static_cast<size_t>(it - entry->actions.begin()));
        afterRemoval(*entry);
    }
}

void ActionManager::removeActionByTag(int tag, Node* target)
{
    Entry* entry = find(target);
    if (!entry)
    {
        return;
    }
    for (size_t i = 0; i < entry->actions.size(); ++i)
    {
        if (entry->actions[i] && entry->actions[i]->getTag() == tag)
        {
            removeSlot(*entry, i);
            afterRemoval(*entry);
            return;
        }
    }
}

void ActionManager::removeAllActionsByTag(int tag, Node* target)
{
    Entry* entry = find(target);
    if (!entry)
    {
        return;
    }
    const bool updating = _updating;
    _updating = true;
    for (size_t i = 0; i < entry->actions.size(); ++i)
    {
        if (entry->actions[i] && entry->actions[i]->getTag() == tag)
        {
            removeSlot(*entry, i);
        }
    }
    _updating = updating;
    afterRemoval(*entry);
}

Action* ActionManager::getActionByTag(int tag, const Node* target) const
{
    if (Entry* entry = find(target))
    {
        for (Action* action : entry->actions)
        {
            if (action && action->getTag() == tag)
            {
                return action;
            }
        }
    }
    return nullptr;
}

ssize_t ActionManager::getNumberOfRunningActionsInTarget(const Node* target) const
{
    Entry* entry = find(target);
    if (!entry)
    {
        return 0;
    }
    return static_cast<ssize_t>(
        std::count_if(entry->actions.begin(), entry->actions.end(), [](Action* a) { return a; }));
}

ssize_t ActionManager::getNumberOfRunningActions() const
{
    ssize_t count = 0;
    for (const auto& entry : _entries)
    {
        count += getNumberOfRunningActionsInTarget(entry->target);
    }
    return count;
}

void ActionManager::pauseTarget(Node* target)
{
    if (Entry* entry = find(target))
    {
        entry->paused = true;
    }
}

void ActionManager::resumeTarget(Node* target)
{
    if (Entry* entry = find(target))
    {
        entry->paused = false;
    }
}

void ActionManager::purgeRemovedEntries()
{
    std::vector<std::unique_ptr<Entry>> dropped;
    for (auto& entry : _entries)
    {
        if (entry->removed)
        {
            _byTarget.erase(entry->target);
            dropped.push_back(std::move(entry));
        }
    }
    _entries.erase(std::remove(_entries.begin(), _entries.end(), nullptr), _entries.end());
    // Releasing may destroy a target, whose destructor calls back in: the books are closed first.
    for (auto& entry : dropped)
    {
        for (Action* action : entry->actions)
        {
            if (action)
            {
                action->release();
            }
        }
        entry->target->release();
    }
}

void ActionManager::update(float dt)
{
    const bool wasUpdating = _updating;
    _updating = true;
    for (size_t e = 0; e < _entries.size(); ++e)
    {
        Entry* entry = _entries[e].get();
        if (entry->removed)
        {
            continue;
        }
        if (!entry->paused)
        {
            // Actions added to this target during the pass are stepped in the same pass.
            for (size_t i = 0; i < entry->actions.size(); ++i)
            {
                Action* action = entry->actions[i];
                if (!action)
                {
                    continue;
                }
                action->retain();
                action->step(dt);
                if (entry->actions[i] == action && action->isDone())
                {
                    action->stop();
                    removeSlot(*entry, i);
                }
                action->release();
            }
        }
        entry->actions.erase(std::remove(entry->actions.begin(), entry->actions.end(), nullptr), entry->actions.end());
        if (entry->actions.empty() || entry->target->getReferenceCount() == 1)
        {
            entry->removed = true;
        }
    }
    _updating = wasUpdating;
    if (!_updating)
    {
        purgeRemovedEntries();
    }
}

NS_CC_END
