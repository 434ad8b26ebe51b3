// Geometry: inclusive rectangle tests (collisions and clicks hang on them), vector, size and
// matrix arithmetic, and node bounding boxes with and without an ignored anchor.
#include <gtest/gtest.h>

#include <cmath>

#include "EngineFixture.h"

USING_NS_CC;
using namespace testing_support;

namespace {

constexpr float kQuarterTurn = 1.57079633f;

// The next float past a value, away from zero: "a hair" further.
float hairPast(float value)
{
    return std::nextafter(value, value + 1.0f);
}

void expectRect(const Rect& actual, const Rect& expected)
{
    EXPECT_NEAR(actual.origin.x, expected.origin.x, 1e-3f);
    EXPECT_NEAR(actual.origin.y, expected.origin.y, 1e-3f);
    EXPECT_NEAR(actual.size.width, expected.size.width, 1e-3f);
    EXPECT_NEAR(actual.size.height, expected.size.height, 1e-3f);
}

TEST(RectGeometry, TouchingRectsIntersectAndAHairApartDoNot)
{
    const Rect box(0, 0, 10, 10);
    const Rect touching[] = {Rect(10, 0, 5, 5),  Rect(-5, 3, 5, 5),  Rect(2, 10, 5, 5), Rect(2, -5, 5, 5),
                             Rect(10, 10, 5, 5), Rect(-5, -5, 5, 5), Rect(2, 2, 1, 1),  Rect(-1, -1, 20, 20)};
    for (const Rect& other : touching)
    {
        EXPECT_TRUE(box.intersectsRect(other)) << other.origin.x << "," << other.origin.y;
        EXPECT_TRUE(other.intersectsRect(box)) << other.origin.x << "," << other.origin.y;
    }
    const Rect apart[] = {Rect(hairPast(10), 0, 5, 5), Rect(0, hairPast(10), 5, 5),
                          Rect(hairPast(10), hairPast(10), 5, 5), Rect(-5, -5, std::nextafter(5.0f, 0.0f), 5)};
    for (const Rect& other : apart)
    {
        EXPECT_FALSE(box.intersectsRect(other)) << other.origin.x << "," << other.origin.y;
        EXPECT_FALSE(other.intersectsRect(box)) << other.origin.x << "," << other.origin.y;
    }
}

TEST(RectGeometry, ContainsPointIncludesEveryEdgeAndCorner)
{
    const Rect box(10, 20, 30, 40);
    for (const Vec2& inside : {Vec2(10, 20), Vec2(40, 60), Vec2(10, 60), Vec2(40, 20), Vec2(25, 20), Vec2(40, 35)})
    {
        EXPECT_TRUE(box.containsPoint(inside)) << inside.x << "," << inside.y;
    }
    for (const Vec2& outside : {Vec2(hairPast(40), 30), Vec2(25, hairPast(60)), Vec2(std::nextafter(10.0f, 0.0f), 30),
                                Vec2(25, std::nextafter(20.0f, 0.0f))})
    {
        EXPECT_FALSE(box.containsPoint(outside)) << outside.x << "," << outside.y;
    }
    const Rect merged = box.unionWithRect(Rect(-5, 50, 10, 30));
    EXPECT_TRUE(merged.equals(Rect(-5, 20, 45, 60)));
    EXPECT_FLOAT_EQ(Rect(1, 2, -4, 6).getMaxX(), -3); // negative sizes are kept
}

TEST(RectGeometry, CircleIntersectsWhenItReachesTheRectOrItsCorner)
{
    const Rect box(0, 0, 10, 10);
    EXPECT_TRUE(box.intersectsCircle(Vec2(5, 5), 1));  // inside
    EXPECT_TRUE(box.intersectsCircle(Vec2(13, 5), 3)); // touching an edge
    EXPECT_FALSE(box.intersectsCircle(Vec2(13.5f, 5), 3));
    EXPECT_TRUE(box.intersectsCircle(Vec2(13, 14), 5));     // 3-4-5 from the corner
    EXPECT_FALSE(box.intersectsCircle(Vec2(13, 14), 4.9f)); // within both bands, beyond the corner
    EXPECT_TRUE(box.intersectsCircle(Vec2(-20, -20), 100)); // the circle holds the rect
}

TEST(RectGeometry, MergeGrowsToCoverBothRects)
{
    Rect box(0, 0, 10, 10);
    box.merge(Rect(5, -5, 20, 8));
    expectRect(box, Rect(0, -5, 25, 15));
    box.merge(Rect(1, 1, 2, 2)); // inside: no change
    expectRect(box, Rect(0, -5, 25, 15));
}

TEST(VectorMath, OperatorsAndHelpersKeepTheirDirection)
{
    const Vec2 a(3, 4);
    const Vec2 b(-1, 2);
    EXPECT_EQ(a + b, Vec2(2, 6));
    EXPECT_EQ(a - b, Vec2(4, 2));
    EXPECT_EQ(-a, Vec2(-3, -4));
    EXPECT_EQ(a * 2, 2 * a);
    EXPECT_EQ(a / 2, Vec2(1.5f, 2));
    EXPECT_EQ(Vec2(b, a), a - b); // from the first point to the second
    Vec2 c = a;
    c += b;
    c -= Vec2(1, 1);
    c *= 3;
    EXPECT_EQ(c, Vec2(3, 15));

    EXPECT_FLOAT_EQ(a.length(), 5);
    EXPECT_FLOAT_EQ(a.distance(Vec2(0, 0)), 5);
    EXPECT_FLOAT_EQ(a.getDistance(b), a.distance(b));
    EXPECT_FLOAT_EQ(a.dot(b), 5);
    EXPECT_FLOAT_EQ(a.cross(b), 10);
    EXPECT_FLOAT_EQ(Vec2(0, 2).getAngle(), kQuarterTurn);
    EXPECT_EQ(a.lerp(b, 0.25f), Vec2(2, 3.5f));
    EXPECT_TRUE(a.getNormalized().equals(Vec2(0.6f, 0.8f)));
    Vec2 zero;
    zero.normalize();
    EXPECT_TRUE(zero.isZero());

    EXPECT_TRUE(Vec2(1, 9) < Vec2(2, 0)); // x decides first
    EXPECT_TRUE(Vec2(1, 1) < Vec2(1, 2));
    EXPECT_TRUE(Vec2(2, 0) > Vec2(1, 9));
    const Vec2 nearlyOne(1, std::nextafter(1.0f, 0.0f));
    EXPECT_NE(Vec2(1, 1), nearlyOne); // == is exact, equals allows FLT_EPSILON
    EXPECT_TRUE(Vec2(1, 1).equals(nearlyOne));
    EXPECT_FALSE(Vec2(1, 1).equals(Vec2(1, 1.001f)));
}

// 3.17's named points and colours, value for value.
TEST(NamedValues, PointsAndColoursAreThoseOf317)
{
    EXPECT_EQ(Vec2::ONE, Vec2(1, 1));
    EXPECT_EQ(Vec2::UNIT_X, Vec2(1, 0));
    EXPECT_EQ(Vec2::UNIT_Y, Vec2(0, 1));
    EXPECT_EQ(Vec2::ANCHOR_BOTTOM_LEFT, Vec2(0, 0));
    EXPECT_EQ(Vec2::ANCHOR_TOP_LEFT, Vec2(0, 1));
    EXPECT_EQ(Vec2::ANCHOR_BOTTOM_RIGHT, Vec2(1, 0));
    EXPECT_EQ(Vec2::ANCHOR_TOP_RIGHT, Vec2(1, 1));
    EXPECT_EQ(Vec2::ANCHOR_MIDDLE_RIGHT, Vec2(1, 0.5f));
    EXPECT_EQ(Vec2::ANCHOR_MIDDLE_LEFT, Vec2(0, 0.5f));
    EXPECT_EQ(Vec2::ANCHOR_MIDDLE_TOP, Vec2(0.5f, 1));
    EXPECT_EQ(Vec2::ANCHOR_MIDDLE_BOTTOM, Vec2(0.5f, 0));

    EXPECT_EQ(Color3B::GREEN, Color3B(0, 255, 0));
    EXPECT_EQ(Color3B::RED, Color3B(255, 0, 0));
    EXPECT_EQ(Color3B::MAGENTA, Color3B(255, 0, 255));
    EXPECT_EQ(Color3B::ORANGE, Color3B(255, 127, 0));
    EXPECT_EQ(Color3B::GRAY, Color3B(166, 166, 166));
    EXPECT_EQ(Color4B::ORANGE, Color4B(255, 127, 0, 255));
    EXPECT_EQ(Color4B::GRAY, Color4B(166, 166, 166, 255));
    EXPECT_EQ(Color4B(Color3B::MAGENTA), Color4B::MAGENTA);
    EXPECT_EQ(Color4B(Color3B::GREEN), Color4B::GREEN);
    EXPECT_EQ(Color4B(Color3B::RED), Color4B::RED);
    EXPECT_EQ(Color4F::ORANGE, Color4F(1, 0.5f, 0, 1));
    EXPECT_EQ(Color4F::GRAY, Color4F(0.65f, 0.65f, 0.65f, 1));
    EXPECT_EQ(Color4F::GREEN, Color4F(0, 1, 0, 1));
    EXPECT_EQ(Color4F::RED, Color4F(1, 0, 0, 1));
    EXPECT_EQ(Color4F::MAGENTA, Color4F(1, 0, 1, 1));
}

TEST(SizeMath, ArithmeticAndConversions)
{
    const Size s(8, 6);
    EXPECT_TRUE((s + Size(2, 4)).equals(Size(10, 10)));
    EXPECT_TRUE((s - Size(2, 4)).equals(Size(6, 2)));
    EXPECT_TRUE((s * 0.5f).equals(Size(4, 3)));
    EXPECT_TRUE((s / 2).equals(Size(4, 3)));
    EXPECT_FALSE(s.equals(Size(8, 6.001f)));
    EXPECT_EQ(static_cast<Vec2>(s), Vec2(8, 6));
    EXPECT_TRUE(Size(Vec2(5, 7)).equals(Size(5, 7)));
}

void expectPoint(const Vec3& actual, const Vec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

Vec3 through(const Mat4& transform, const Vec3& point)
{
    Vec3 result;
    transform.transformPoint(point, &result);
    return result;
}

// The factories write a whole matrix through dst, whatever it held before.
Mat4 scrambled()
{
    Mat4 junk;
    for (float& cell : junk.m)
    {
        cell = 7.0f;
    }
    return junk;
}

TEST(Matrices, FactoriesWriteTheWholeMatrixAsTheirVec3Forms)
{
    Mat4 move = scrambled();
    Mat4::createTranslation(3, -4, 5, &move);
    expectPoint(through(move, Vec3(1, 1, 1)), Vec3(4, -3, 6));
    Mat4 moveByVec3 = scrambled();
    Mat4::createTranslation(Vec3(3, -4, 5), &moveByVec3);
    expectPoint(through(moveByVec3, Vec3(1, 1, 1)), Vec3(4, -3, 6));

    Mat4 grow = scrambled();
    Mat4::createScale(2, 3, 4, &grow);
    expectPoint(through(grow, Vec3(1, 1, 1)), Vec3(2, 3, 4));
    Mat4 growByVec3 = scrambled();
    Mat4::createScale(Vec3(2, 3, 4), &growByVec3);
    expectPoint(through(growByVec3, Vec3(1, -1, 1)), Vec3(2, -3, 4));

    // A positive angle turns counter-clockwise about z, which stays put.
    Mat4 turn = scrambled();
    Mat4::createRotationZ(kQuarterTurn, &turn);
    expectPoint(through(turn, Vec3(1, 0, 2)), Vec3(0, 1, 2));
}

TEST(Matrices, PointsTakeTheTranslationAndTheRightmostFactorFirst)
{
    Mat4 move;
    Mat4::createTranslation(10, 0, 0, &move);
    Mat4 turn;
    Mat4::createRotationZ(kQuarterTurn, &turn);
    expectPoint(through(move * turn, Vec3(1, 0, 0)), Vec3(10, 1, 0));
    expectPoint(through(turn * move, Vec3(1, 0, 0)), Vec3(0, 11, 0));

    Vec3 inPlace(1, 0, 0);
    (move * turn).transformPoint(&inPlace);
    expectPoint(inPlace, Vec3(10, 1, 0));
    expectPoint(through(Mat4::IDENTITY, Vec3(1, 2, 3)), Vec3(1, 2, 3));
}

class BoundingBox : public EngineTest
{
protected:
    void SetUp() override
    {
        node = Node::create();
        node->setContentSize(Size(100, 50));
        node->setAnchorPoint(Vec2::ANCHOR_MIDDLE);
        node->setPosition(200, 100);
    }

    Node* node = nullptr;
};

TEST_F(BoundingBox, AnchorPointSitsAtThePosition)
{
    expectRect(node->getBoundingBox(), Rect(150, 75, 100, 50));
    node->setScale(2);
    expectRect(node->getBoundingBox(), Rect(100, 50, 200, 100));
    node->setScale(1);
    node->setRotation(90);
    expectRect(node->getBoundingBox(), Rect(175, 50, 50, 100));
}

TEST_F(BoundingBox, NodePointsMapToTheWorldThroughTheAnchorInPoints)
{
    EXPECT_EQ(node->getAnchorPointInPoints(), Vec2(50, 25));
    EXPECT_TRUE(node->convertToWorldSpace(Vec2::ZERO).equals(Vec2(150, 75)));
    node->setScale(2);
    const Vec2 world = node->convertToWorldSpace(Vec2(100, 50));
    EXPECT_TRUE(world.equals(Vec2(300, 150)));
    EXPECT_TRUE(node->convertToNodeSpace(world).equals(Vec2(100, 50)));
}

TEST_F(BoundingBox, IgnoredAnchorPutsTheCornerAtThePositionButStillScalesAboutTheAnchor)
{
    node->ignoreAnchorPointForPosition(true); // 3.17's deprecated name forwards
    EXPECT_TRUE(node->isIgnoreAnchorPointForPosition());
    expectRect(node->getBoundingBox(), Rect(200, 100, 100, 50));
    // The anchor stands at position + anchorPointInPoints = (250, 125) and stays put.
    node->setScale(2);
    expectRect(node->getBoundingBox(), Rect(150, 75, 200, 100));
    node->setScaleX(0.5f);
    expectRect(node->getBoundingBox(), Rect(225, 75, 50, 100));
}

} // namespace
