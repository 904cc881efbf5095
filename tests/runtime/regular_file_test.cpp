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

    const FileRead small = ReadRegularFile(folder.file("small"), 1024);
    EXPECT_EQ(small.status, FileReadStatus::Read);
    EXPECT_EQ(small.bytes, "abc");

    const FileRead fifo = ReadRegularFile(folder.file("fifo"), 1024);
    EXPECT_EQ(fifo.status, FileReadStatus::NotRegular);
    EXPECT_EQ(fifo.reason, "不是普通文件（FIFO）");
    EXPECT_EQ(ReadRegularFile("/dev/zero", 1024).reason, "不是普通文件（设备）");
    EXPECT_EQ(ReadRegularFile(folder.path(), 1024).reason, "不是普通文件（文件夹）");

    const FileRead big = ReadRegularFile(folder.file("big"), 1024);
    EXPECT_EQ(big.status, FileReadStatus::TooLarge);
    EXPECT_EQ(big.reason, "文件过大（超过 1024 字节）");
    EXPECT_EQ(ReadRegularFile(folder.file("big"), 1 << 20).bytes.size(), 1025u);

    const FileRead missing = ReadRegularFile(folder.file("missing"), 1024);
    EXPECT_EQ(missing.status, FileReadStatus::Missing);
    EXPECT_EQ(missing.reason, "文件不存在（No such file or directory）");
}

}  // namespace
}  // namespace sanxing
