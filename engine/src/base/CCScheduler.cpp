#include "base/CCScheduler.h"

#include <algorithm>

NS_CC_BEGIN

const int Scheduler::PRIORITY_SYSTEM = INT_MIN;
const int Scheduler::PRIORITY_NON_SYSTEM_MIN = INT_MIN + 1;

struct Scheduler::Timer
{
    // A selector timer is identified by its selector, a callback timer by its key.
    SEL_SCHEDULE selector = nullptr;
    std::string key;
    ccSchedulerFunc callback;

    float interval = 0.0f;
    float elapsed = -1.0f;
    float delay = 0.0f;
    bool useDelay = false;
    bool runForever = false;
    unsigned int repeat = 0;
    unsigned int timesExecuted = 0;
    bool aborted = false;

    bool matches(SEL_SCHEDULE sel, const std::string& k) const
    {
        return sel ? selector == sel : (!selector && key == k);
    }
    void setup(float newInterval, unsigned int newRepeat, float newDelay)
    {
        elapsed = -1.0f;
        interval = newInterval;
        delay = newDelay;
        useDelay = newDelay > 0.0f;
        repeat = newRepeat;
        runForever = newRepeat == CC_REPEAT_FOREVER;
        timesExecuted = 0;
    }
    bool usedUp() const { return !runForever && timesExecuted > repeat; }
    // Returns false once the timer has run its course.
    bool update(float dt);
};

struct Scheduler::TimerTarget
{
    void* target = nullptr;
    bool paused = false;
    bool removed = false;
    std::vector<std::shared_ptr<Timer>> timers;
};

struct Scheduler::UpdateEntry
{
    void* target = nullptr;
    ccSchedulerFunc callback;
    int priority = 0;
    bool paused = false;
    bool removed = false;
};

bool Scheduler::Timer::update(float dt)
{
    // A new or restarted timer lets the first frame that reaches it pass.
    if (elapsed == -1.0f)
    {
        elapsed = 0.0f;
        timesExecuted = 0;
        return true;
    }
    elapsed += dt;
    if (useDelay)
    {
        if (elapsed < delay)
        {
            return true;
        }
        // Counted before the call: a callback that schedules this selector again finds the
        // timer used up and gets a fresh one instead of restarting this one.
        ++timesExecuted;
        callback(delay);
        elapsed -= delay;
        useDelay = false;
        if (usedUp())
        {
            return false;
        }
    }
    const float step = interval > 0.0f ? interval : elapsed;
    while (elapsed >= step && !aborted)
    {
        ++timesExecuted;
        callback(step);
        elapsed -= step;
        if (usedUp())
        {
            return false;
        }
        if (elapsed <= 0.0f)
        {
            break;
        }
    }
    return true;
}

Scheduler::Scheduler() = default;

Scheduler::~Scheduler() = default;

Scheduler::TimerTarget* Scheduler::findTimerTarget(const void* target) const
{
    for (const auto& timerTarget : _timerTargets)
    {
        if (timerTarget->target == target && !timerTarget->removed)
        {
            return timerTarget.get();
        }
    }
    return nullptr;
}

Scheduler::TimerTarget& Scheduler::timerTargetFor(void* target, bool paused)
{
    if (TimerTarget* existing = findTimerTarget(target))
    {
        return *existing;
    }
    auto created = std::make_unique<TimerTarget>();
    created->target = target;
    created->paused = paused;
    _timerTargets.push_back(std::move(created));
    return *_timerTargets.back();
}

void Scheduler::scheduleTimer(std::shared_ptr<Timer> timer, void* target, bool paused)
{
    TimerTarget& timerTarget = timerTargetFor(target, paused);
    for (auto& existing : timerTarget.timers)
    {
        if (!existing->aborted && !existing->usedUp() && existing->matches(timer->selector, timer->key))
        {
            // One schedule per selector and target: scheduling again restarts it.
            existing->setup(timer->interval, timer->repeat, timer->delay);
            return;
        }
    }
    timerTarget.timers.push_back(std::move(timer));
}

void Scheduler::schedule(const ccSchedulerFunc& callback, void* target, float interval, unsigned int repeat,
                         float delay, bool paused, const std::string& key)
{
    auto timer = std::make_shared<Timer>();
    timer->key = key;
    timer->callback = callback;
    timer->setup(interval, repeat, delay);
    scheduleTimer(std::move(timer), target, paused);
}

void Scheduler::schedule(const ccSchedulerFunc& callback, void* target, float interval, bool paused,
                         const std::string& key)
{
    schedule(callback, target, interval, CC_REPEAT_FOREVER, 0.0f, paused, key);
}

void Scheduler::schedule(SEL_SCHEDULE selector, Ref* target, float interval, unsigned int repeat, float delay,
                         bool paused)
{
    auto timer = std::make_shared<Timer>();
    timer->selector = selector;
    timer->callback = [target, selector](float dt) { (target->*selector)(dt); };
    timer->setup(interval, repeat, delay);
    scheduleTimer(std::move(timer), target, paused);
}

void Scheduler::schedule(SEL_SCHEDULE selector, Ref* target, float interval, bool paused)
{
    schedule(selector, target, interval, CC_REPEAT_FOREVER, 0.0f, paused);
}

void Scheduler::removeTimer(TimerTarget& timerTarget, size_t index)
{
    // While updating, entries are only marked: the pass walks the vectors by index.
    timerTarget.timers[index]->aborted = true;
    if (!_updating)
    {
        timerTarget.timers.erase(timerTarget.timers.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void Scheduler::unschedule(const std::string& key, void* target)
{
    if (TimerTarget* timerTarget = findTimerTarget(target))
    {
        for (size_t i = 0; i < timerTarget->timers.size(); ++i)
        {
            if (!timerTarget->timers[i]->aborted && timerTarget->timers[i]->matches(nullptr, key))
            {
                removeTimer(*timerTarget, i);
                return;
            }
        }
    }
}

void Scheduler::unschedule(SEL_SCHEDULE selector, Ref* target)
{
    if (TimerTarget* timerTarget = findTimerTarget(target))
    {
        for (size_t i = 0; i < timerTarget->timers.size(); ++i)
        {
            if (!timerTarget->timers[i]->aborted && timerTarget->timers[i]->matches(selector, std::string()))
            {
                removeTimer(*timerTarget, i);
                return;
            }
        }
    }
}

void Scheduler::scheduleUpdateEntry(const ccSchedulerFunc& callback, void* target, int priority, bool paused)
{
    for (auto& entry : _updateEntries)
    {
        if (entry->target == target && !entry->removed)
        {
            if (entry->priority == priority)
            {
                return;
            }
            entry->removed = true;
        }
    }
    auto entry = std::make_shared<UpdateEntry>();
    entry->target = target;
    entry->callback = callback;
    entry->priority = priority;
    entry->paused = paused;
    // Stable: equal priorities keep the order in which they were scheduled.
    auto position = std::upper_bound(_updateEntries.begin(), _updateEntries.end(), priority,
                                     [](int p, const std::shared_ptr<UpdateEntry>& e) { return p < e->priority; });
    if (_updating && position <= _updateEntries.begin() + static_cast<std::ptrdiff_t>(_updateCursor))
    {
        ++_updateCursor;
    }
    _updateEntries.insert(position, std::move(entry));
    if (!_updating)
    {
        purgeRemoved();
    }
}

void Scheduler::unscheduleUpdate(void* target)
{
    for (auto& entry : _updateEntries)
    {
        if (entry->target == target)
        {
            entry->removed = true;
        }
    }
    if (!_updating)
    {
        purgeRemoved();
    }
}

void Scheduler::unscheduleAllForTarget(void* target)
{
    if (TimerTarget* timerTarget = findTimerTarget(target))
    {
        for (auto& timer : timerTarget->timers)
        {
            timer->aborted = true;
        }
        timerTarget->removed = true;
    }
    unscheduleUpdate(target);
}

void Scheduler::unscheduleAll()
{
    for (auto& timerTarget : _timerTargets)
    {
        for (auto& timer : timerTarget->timers)
        {
            timer->aborted = true;
        }
        timerTarget->removed = true;
    }
    for (auto& entry : _updateEntries)
    {
        entry->removed = true;
    }
    if (!_updating)
    {
        purgeRemoved();
    }
}

bool Scheduler::isScheduled(const std::string& key, const void* target) const
{
    if (const TimerTarget* timerTarget = findTimerTarget(target))
    {
        for (const auto& timer : timerTarget->timers)
        {
            if (!timer->aborted && timer->matches(nullptr, key))
            {
                return true;
            }
        }
    }
    return false;
}

bool Scheduler::isScheduled(SEL_SCHEDULE selector, const Ref* target) const
{
    if (const TimerTarget* timerTarget = findTimerTarget(target))
    {
        for (const auto& timer : timerTarget->timers)
        {
            if (!timer->aborted && timer->matches(selector, std::string()))
            {
                return true;
            }
        }
    }
    return false;
}

void Scheduler::pauseTarget(void* target)
{
    setTargetPaused(target, true);
}

void Scheduler::resumeTarget(void* target)
{
    setTargetPaused(target, false);
}

void Scheduler::setTargetPaused(void* target, bool paused)
{
    if (TimerTarget* timerTarget = findTimerTarget(target))
    {
        timerTarget->paused = paused;
    }
    for (auto& entry : _updateEntries)
    {
        if (entry->target == target)
        {
            entry->paused = paused;
        }
    }
}

bool Scheduler::isTargetPaused(void* target)
{
    if (TimerTarget* timerTarget = findTimerTarget(target))
    {
        return timerTarget->paused;
    }
    for (auto& entry : _updateEntries)
    {
        if (entry->target == target && !entry->removed)
        {
            return entry->paused;
        }
    }
    return false;
}

void Scheduler::purgeRemoved()
{
    for (auto& timerTarget : _timerTargets)
    {
        auto& timers = timerTarget->timers;
        timers.erase(std::remove_if(timers.begin(), timers.end(), [](const auto& t) { return t->aborted; }),
                     timers.end());
        if (timers.empty())
        {
            timerTarget->removed = true;
        }
    }
    _timerTargets.erase(
        std::remove_if(_timerTargets.begin(), _timerTargets.end(), [](const auto& t) { return t->removed; }),
        _timerTargets.end());
    _updateEntries.erase(
        std::remove_if(_updateEntries.begin(), _updateEntries.end(), [](const auto& e) { return e->removed; }),
        _updateEntries.end());
}

void Scheduler::update(float dt)
{
    _updating = true;

    // Walk by index: entries scheduled during the pass run in it if they land after the
    // running one, as in the engine, whose update lists tolerate additions.
    for (_updateCursor = 0; _updateCursor < _updateEntries.size(); ++_updateCursor)
    {
        const std::shared_ptr<UpdateEntry> entry = _updateEntries[_updateCursor];
        if (!entry->paused && !entry->removed)
        {
            entry->callback(dt);
        }
    }

    // Likewise for timers: callbacks may add targets and timers, which run in this same pass.
    for (size_t t = 0; t < _timerTargets.size(); ++t)
    {
        if (_timerTargets[t]->paused || _timerTargets[t]->removed)
        {
            continue;
        }
        for (size_t i = 0; i < _timerTargets[t]->timers.size(); ++i)
        {
            std::shared_ptr<Timer> timer = _timerTargets[t]->timers[i];
            if (timer->aborted)
            {
                continue;
            }
            if (!timer->update(dt))
            {
                timer->aborted = true;
            }
            if (_timerTargets[t]->paused || _timerTargets[t]->removed)
            {
                break;
            }
        }
    }

    _updating = false;
    purgeRemoved();
}

NS_CC_END
