#include "shrink/shape_patterns.h"

#include "group_fixture.h"

namespace sanxing::group_test {
namespace {

using ShapePatterns = GroupTest;

TEST_F(ShapePatterns, InactiveWhileEveryBoxIsTicked) {
    EXPECT_FALSE(ShapeGroup(store));
    EXPECT_FALSE(RoadPatternGroup(store));
    EXPECT_FALSE(TwoDigitCodeGroup(store));
    EXPECT_FALSE(OddEvenPatternGroup(store));
    EXPECT_FALSE(BigSmallPatternGroup(store));
}

TEST_F(ShapePatterns, TriplesAlone) {
    untick({"选择框_豹子"});
    const auto row = ShapeGroup(store);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->count(), 990);
    EXPECT_TRUE(Fails(row, {"000", "555", "999"}));
}

TEST_F(ShapePatterns, ShapesExcludeByNumberNotBySubstringOfTheJoinedLists) {
    // The triple list ends without a space; joined with the group-six numbers a text
    // search would find "990" in "999012".
    untick({"选择框_豹子", "选择框_组六"});
    const auto row = ShapeGroup(store);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->count(), 270);
    EXPECT_TRUE(Passes(row, {"990", "900", "001"}));
    EXPECT_TRUE(Fails(row, {"999", "012", "901"}));
}

TEST_F(ShapePatterns, SequencesRunForwardOrBackwardAndWrapAround) {
    untick({"选择框_正顺"});
    EXPECT_EQ(ShapeGroup(store)->count(), 990);
    EXPECT_TRUE(Fails(ShapeGroup(store), {"012", "789", "890", "901"}));
    EXPECT_TRUE(Passes(ShapeGroup(store), {"210", "098", "135"}));
    tick({"选择框_正顺"});
    untick({"选择框_反顺"});
    EXPECT_EQ(ShapeGroup(store)->count(), 990);
    EXPECT_TRUE(Fails(ShapeGroup(store), {"210", "109", "098", "987"}));
    EXPECT_TRUE(Passes(ShapeGroup(store), {"012", "890"}));
}

TEST_F(ShapePatterns, GroupSixTakesTheSequencesWithIt) {
    untick({"选择框_组六"});
    EXPECT_EQ(ShapeGroup(store)->count(), 280);
    EXPECT_TRUE(Fails(ShapeGroup(store), {"012", "210", "135"}));
    tick({"选择框_组六"});
    untick({"选择框_组三"});
    EXPECT_EQ(ShapeGroup(store)->count(), 730);
    EXPECT_TRUE(Fails(ShapeGroup(store), {"990", "112", "121"}));
}

TEST_F(ShapePatterns, AllShapesUntickedGiveAnEmptyRow) {
    untick({"选择框_豹子", "选择框_组三", "选择框_组六"});
    ASSERT_TRUE(ShapeGroup(store));
    EXPECT_TRUE(ShapeGroup(store)->empty());
}

TEST_F(ShapePatterns, RoadPatternTakesEachDigitModThree) {
    untick({"选择框_三星路012"});
    const auto row = RoadPatternGroup(store);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->count(), 1000 - 4 * 3 * 3);
    EXPECT_TRUE(Fails(row, {"012", "315", "942", "678"}));
    EXPECT_TRUE(Passes(row, {"021", "102"}));
}

TEST_F(ShapePatterns, OddEvenAndBigSmallReadClassesPerPosition) {
    untick({"选择框_单单单"});
    EXPECT_EQ(OddEvenPatternGroup(store)->count(), 875);
    EXPECT_TRUE(Fails(OddEvenPatternGroup(store), {"135", "999"}));
    untick({"选择框_双单双"});
    EXPECT_TRUE(Fails(OddEvenPatternGroup(store), {"010", "898"}));
    EXPECT_TRUE(Passes(OddEvenPatternGroup(store), {"101", "001"}));

    untick({"选择框_大小小"});
    EXPECT_EQ(BigSmallPatternGroup(store)->count(), 875);
    EXPECT_TRUE(Fails(BigSmallPatternGroup(store), {"500", "944"}));
    EXPECT_TRUE(Passes(BigSmallPatternGroup(store), {"450", "055", "505"}));
}

TEST_F(ShapePatterns, EveryPatternUntickedGivesAnEmptyRow) {
    for (const char* shape : {"大大大", "大大小", "大小大", "大小小", "小大大", "小大小", "小小大", "小小小"}) {
        store.setTicked(std::string("选择框_") + shape, false);
    }
    ASSERT_TRUE(BigSmallPatternGroup(store));
    EXPECT_TRUE(BigSmallPatternGroup(store)->empty());
}

TEST_F(ShapePatterns, TwoDigitCodeTestsAllThreePairsEitherWayRound) {
    untick({"选择框_两码00"});
    EXPECT_TRUE(Fails(TwoDigitCodeGroup(store), {"100", "000", "010", "001"}));
    EXPECT_TRUE(Passes(TwoDigitCodeGroup(store), {"105", "123"}));
    tick({"选择框_两码00"});
    untick({"选择框_两码19"});
    EXPECT_TRUE(Fails(TwoDigitCodeGroup(store), {"190", "910", "119", "991", "109"}));
    EXPECT_TRUE(Passes(TwoDigitCodeGroup(store), {"111", "999", "128"}));
}

TEST_F(ShapePatterns, RepeatedDigitsTestTheirOwnPair) {
    untick({"选择框_两码11"});
    EXPECT_TRUE(Fails(TwoDigitCodeGroup(store), {"112", "121", "211", "111"}));
    EXPECT_TRUE(Passes(TwoDigitCodeGroup(store), {"123", "012"}));
}

}  // namespace
}  // namespace sanxing::group_test
