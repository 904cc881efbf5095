#include "runtime/system_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace sanxing {
namespace {

TEST(SystemErrorText, ChineseFirstWithTheEnglishTextInParentheses) {
    EXPECT_EQ(SystemErrorText(ENOSPC), "磁盘空间不足（No space left on device）");
    EXPECT_EQ(SystemErrorText(EACCES), "没有权限（Permission denied）");
    EXPECT_EQ(SystemErrorText(ENOENT), "文件不存在（No such file or directory）");
    EXPECT_EQ(SystemErrorText(EISDIR), "是一个文件夹（Is a directory）");
    EXPECT_EQ(SystemErrorText(ENOLCK), "系统错误 37（No locks available）");
    EXPECT_EQ(SystemErrorText(100000), "系统错误 100000");
    EXPECT_EQ(SystemErrorText(-1), "系统错误 -1");
}

// Whatever the number, the text never starts in English: a message stays Chinese.
TEST(SystemErrorText, NoNumberStartsInEnglish) {
    for (int error = 0; error < 200; ++error) {
        const std::string text = SystemErrorText(error);
        ASSERT_FALSE(text.empty());
        EXPECT_TRUE(static_cast<unsigned char>(text[0]) >= 0x80) << error << ": " << text;
    }
}

}  // namespace
}  // namespace sanxing
