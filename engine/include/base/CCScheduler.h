#pragma once

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/CCRef.h"

NS_CC_BEGIN

typedef std::function<void(float)> ccSchedulerFunc;

// Runs per-frame updates and interval timers. Targets are not retained: whoever schedules
// on a target unschedules before the target dies (Node does so in cleanup and ~Node).
class Scheduler : public Ref
{
public:
    static const int PRIORITY_SYSTEM;
    static const int PRIORITY_NON_SYSTEM_MIN;

    Scheduler();
    ~Scheduler() override;

    void update(float dt);

    void schedule(const ccSchedulerFunc& callback, void* target, float interval, unsigned int repeat, float delay,
                  bool paused, const std::string& key);
    void schedule(const ccSchedulerFunc& callback, void* target, float interval, bool paused, const std::string& key);
    void schedule(SEL_SCHEDULE selector, Ref* target, float interval, unsigned int repeat, float delay, bool paused);
    void schedule(SEL_SCHEDULE selector, Ref* target, float interval, bool paused);

    template <class T>
    void scheduleUpdate(T* target, int priority, bool paused)
    {
        scheduleUpdateEntry([target](float dt) { target->update(dt); }, target, priority, paused);
    }
    void scheduleUpdateEntry(const ccSchedulerFunc& callback, void* target, int priority, bool paused);

    void unschedule(const std::string& key, void* target);
    void unschedule(SEL_SCHEDULE selector, Ref* target);
    void unscheduleUpdate(void* target);
    void unscheduleAllForTarget(void* target);
    void unscheduleAll();

    bool isScheduled(const std::string& key, const void* target) const;
    bool isScheduled(SEL_SCHEDULE selector, const Ref* target) const;

    void pauseTarget(void* target);
    void resumeTarget(void* target);
    bool isTargetPaused(void* target);

private:
    struct Timer;
    struct TimerTarget;
    struct UpdateEntry;

    TimerTarget* findTimerTarget(const void* target) const;
    TimerTarget& timerTargetFor(void* target, bool paused);
    void scheduleTimer(std::shared_ptr<Timer> timer, void* target, bool paused);
    void removeTimer(TimerTarget& timerTarget, size_t index);
    void purgeRemoved();
    void setTargetPaused(void* target, bool paused);

    bool _updating = false;
    // The update entry running now: entries inserted at or before it shift it along.
    size_t _updateCursor = 0;
    std::vector<std::unique_ptr<TimerTarget>> _timerTargets;
    std::vector<std::shared_ptr<UpdateEntry>> _updateEntries;
};

NS_CC_END
