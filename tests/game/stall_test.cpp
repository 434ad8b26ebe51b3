// A frame that comes after a stall (the window dragged, the process stopped, the machine
// asleep) plays as one ordinary frame: no burst of enemies, no run lost to it.
#include "GameRun.h"

USING_NS_CC;
using namespace game_testing;
using testing_support::runSeconds;

namespace {

// With this seed the old catch-up put five enemies on the field at once and lost the run
// within two seconds, as it did with most seeds.
const unsigned kSeed = 7;

using Stall = GameRun;

TEST_F(Stall, ATenSecondFrameSpawnsAtMostOnceAndLosesNothing)
{
    enterRun();
    Scene* run = Director::getInstance()->getRunningScene();
    srand(kSeed);
    runSeconds(1.0f);
    const size_t enemiesBefore = layer->enemies->size();

    Director::getInstance()->mainLoop(10.0f);
    EXPECT_LE(layer->enemies->size(), enemiesBefore + 1);

    runSeconds(2.0f);
    EXPECT_EQ(Director::getInstance()->getRunningScene(), run) << "the run was lost within two seconds of the stall";
}

} // namespace
