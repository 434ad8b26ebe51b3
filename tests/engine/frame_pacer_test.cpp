#include "platform/CCFramePacer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <vector>

USING_NS_CC;
using namespace std::chrono_literals;
using TimePoint = FramePacer::TimePoint;

namespace {

// A clock that only moves when the loop works or sleeps.
struct FakeClock
{
    TimePoint now = TimePoint(1000s);
    std::vector<TimePoint> sleeps;
    bool sleptIntoThePast = false;

    FramePacer makePacer()
    {
        return FramePacer([this] { return now; },
                          [this](TimePoint deadline) {
                              sleptIntoThePast |= deadline <= now;
                              sleeps.push_back(deadline);
                              now = deadline;
                          });
    }
};

constexpr double kSixtieth = 1.0 / 60;

TEST(FramePacer, FirstFrameIsDueAtOnce)
{
    FakeClock clock;
    FramePacer pacer = clock.makePacer();
    pacer.waitForNextFrame(kSixtieth);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(pacer.currentDeadline(), TimePoint(1000s));
}

TEST(FramePacer, SixHundredFramesAtOneSixtiethEndExactlyTenSecondsLater)
{
    FakeClock clock;
    FramePacer pacer = clock.makePacer();
    const TimePoint start = clock.now;
    pacer.waitForNextFrame(kSixtieth);
    for (int frame = 1; frame <= 600; ++frame)
    {
        clock.now += 3ms; // the frame's own work
        pacer.waitForNextFrame(kSixtieth);
        const auto expected = start +
                              std::chrono::round<TimePoint::duration>(std::chrono::duration<double>(frame * kSixtieth));
        ASSERT_EQ(clock.sleeps.back(), expected) << "frame " << frame;
    }
    EXPECT_EQ(clock.sleeps.size(), 600u);
    EXPECT_EQ(clock.now - start, 10s);
    EXPECT_FALSE(clock.sleptIntoThePast);
}

TEST(FramePacer, SlightlyLateFrameRunsAtOnceAndKeepsTheGrid)
{
    FakeClock clock;
    FramePacer pacer = clock.makePacer();
    const TimePoint start = clock.now;
    pacer.waitForNextFrame(0.010);
    clock.now += 15ms; // overran its 10 ms slot by 5 ms
    pacer.waitForNextFrame(0.010);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(pacer.currentDeadline(), start + 10ms);

    clock.now += 1ms;
    pacer.waitForNextFrame(0.010);
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_EQ(clock.sleeps.back(), start + 20ms);
}

TEST(FramePacer, LongStallRestartsFromNowInsteadOfBursting)
{
    FakeClock clock;
    FramePacer pacer = clock.makePacer();
    pacer.waitForNextFrame(0.010);
    clock.now += 250ms; // a hitch worth 25 frames
    const TimePoint afterStall = clock.now;
    pacer.waitForNextFrame(0.010);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(pacer.currentDeadline(), afterStall);

    for (int frame = 1; frame <= 3; ++frame)
    {
        clock.now += 2ms;
        pacer.waitForNextFrame(0.010);
        EXPECT_EQ(clock.sleeps.back(), afterStall + frame * 10ms);
    }
}

TEST(FramePacer, NewIntervalCountsFromTheLastDeadline)
{
    FakeClock clock;
    FramePacer pacer = clock.makePacer();
    const TimePoint start = clock.now;
    pacer.waitForNextFrame(kSixtieth);
    pacer.waitForNextFrame(0.25); // paused
    EXPECT_EQ(clock.sleeps.back(), start + 250ms);
    pacer.waitForNextFrame(0.25);
    EXPECT_EQ(clock.sleeps.back(), start + 500ms);
    pacer.waitForNextFrame(0.5);
    EXPECT_EQ(clock.sleeps.back(), start + 1000ms);
}

TEST(FramePacer, IntervalThatIsNotPositiveRunsUnpacedThenPacingResumes)
{
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()})
    {
        FakeClock clock;
        FramePacer pacer = clock.makePacer();
        pacer.waitForNextFrame(kSixtieth);
        for (int frame = 0; frame < 5; ++frame)
        {
            clock.now += 1ms;
            pacer.waitForNextFrame(bad);
        }
        EXPECT_TRUE(clock.sleeps.empty()) << bad;

        const TimePoint lastUnpaced = clock.now;
        pacer.waitForNextFrame(0.010);
        ASSERT_EQ(clock.sleeps.size(), 1u) << bad;
        EXPECT_EQ(clock.sleeps.back(), lastUnpaced + 10ms) << bad;
    }
}

TEST(FramePacer, HugeIntervalStillGivesAFutureDeadline)
{
    FakeClock clock;
    FramePacer pacer = clock.makePacer();
    pacer.waitForNextFrame(kSixtieth);
    pacer.waitForNextFrame(std::numeric_limits<double>::max());
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_GT(clock.sleeps.back(), TimePoint(1000s));
    EXPECT_FALSE(clock.sleptIntoThePast);
}

} // namespace
