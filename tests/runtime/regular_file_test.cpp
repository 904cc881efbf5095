#include "runtime/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "runtime/temp_folder.h"

namespace sanxing {
namespace {

TEST(ReadRegularFile, ReadsOnlyRegularFilesWithinTheLimit) {
    TempFolder folder;
    WriteBytes(folder.file("small"), "abc");
    WriteBytes(folder.file("big"), std::string(1025, 'x'));
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);  // no writer: opening it would wait

    const auto small = ReadRegularFile(folder.file("small"), 1024);
    ASSERT_TRUE(small) << small.error();
    EXPECT_EQ(*small, "abc");

    const auto fifo = ReadRegularFile(folder.file("fifo"), 1024);
    EXPECT_EQ(fifo.code(), ErrorCode::BadInput);
    EXPECT_EQ(fifo.error(), "不是普通文件（FIFO）");
    EXPECT_FALSE(OverLimit(fifo, folder.file("fifo")));
    EXPECT_EQ(ReadRegularFile("/dev/zero", 1024).error(), "不是普通文件（设备）");
    EXPECT_EQ(ReadRegularFile(folder.path(), 1024).error(), "不是普通文件（文件夹）");

    const auto big = ReadRegularFile(folder.file("big"), 1024);
    EXPECT_EQ(big.code(), ErrorCode::BadInput);
    EXPECT_EQ(big.error(), "文件过大（超过 1024 字节）");
    EXPECT_TRUE(OverLimit(big, folder.file("big")));
    EXPECT_EQ(ReadRegularFile(folder.file("big"), 1 << 20)->size(), 1025u);

    const auto missing = ReadRegularFile(folder.file("missing"), 1024);
    EXPECT_EQ(missing.code(), ErrorCode::NotFound);
    EXPECT_EQ(missing.error(), "文件不存在（No such file or directory）");
}

}  // namespace
}  // namespace sanxing
