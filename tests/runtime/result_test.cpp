#include "runtime/result.h"

#include <gtest/gtest.h>

#include <memory>

namespace sanxing {
namespace {

Result<std::unique_ptr<int>> Made(bool fail) {
    if (fail) return Failure{"无法读取"};
    return std::make_unique<int>(7);
}

TEST(Result, HoldsAMoveOnlyValueOrTheReason) {
    auto made = Made(false);
    ASSERT_TRUE(made);
    EXPECT_EQ(made.error(), "");
    const std::unique_ptr<int> taken = std::move(*made);
    EXPECT_EQ(*taken, 7);

    const auto failed = Made(true);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.error(), "无法读取");
}

TEST(Result, VoidIsSuccessUntilGivenAFailure) {
    EXPECT_TRUE(Result<void>());
    const Result<void> failed = Failure{"磁盘已满"};
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.error(), "磁盘已满");
}

TEST(Result, AFailureHandedOnKeepsItsCode) {
    const Result<int> busy = Failure{"数据库正忙", ErrorCode::Busy};
    const Result<void> handedOn = busy.failure();
    EXPECT_EQ(handedOn.code(), ErrorCode::Busy);
    EXPECT_EQ(handedOn.error(), "数据库正忙");
    EXPECT_EQ(Result<void>(Failure{"x"}).code(), ErrorCode::Failed);
}

TEST(Result, AFailureWithoutWordsIsStillAFailure) {
    EXPECT_FALSE(Result<int>(Failure{}));
    EXPECT_FALSE(Result<void>(Failure{}));
}

}  // namespace
}  // namespace sanxing
