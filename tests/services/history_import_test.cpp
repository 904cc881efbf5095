// The import's source: a file is opened and checked once, so what the preview read is what
// the import stores, however often it is read; the clipboard gives its table or its text.

#include "services/history_import.h"

#include <gtest/gtest.h>

#include "runtime/temp_folder.h"

namespace sanxing::test {
namespace {

const history::Lottery& Fc3d() { return *history::FindLottery("福彩3D"); }

TEST(HistoryImportTest, AFileIsReadAsItWasWhenCheckedEvenIfReplacedSince) {
    TempFolder folder;
    const std::string file = folder.file("draws.txt");
    WriteBytes(file, "2024001 123\n2024002 456\n");
    auto source = ImportSource::File(file);
    ASSERT_TRUE(source) << source.error();
    const auto preview = PreviewImport(*source, Fc3d());
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->draws, 2u);
    // Another file put in its place after the preview does not reach the history.
    WriteBytes(folder.file("other.txt"), "2024009 999\n");
    std::filesystem::rename(folder.file("other.txt"), file);
    HistorySession session(folder.file("h.sqlite"));
    for (const std::size_t stored : {2u, 0u}) {  // read from the start each time
        const auto report = ImportDraws(session, *source, Fc3d(), {});
        ASSERT_TRUE(report) << report.error();
        EXPECT_EQ(report->stored, stored);
    }
    EXPECT_EQ(session.database().value()->count("福彩3D").value(), 2u);
}

TEST(HistoryImportTest, AFileThatCannotBeImportedIsRefusedWithItsName) {
    TempFolder folder;
    const auto missing = ImportSource::File(folder.file("missing.txt"));
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("missing.txt"), std::string::npos);
    EXPECT_FALSE(ImportSource::File(folder.path()));
}

TEST(HistoryImportTest, TheClipboardGivesItsTableElseItsText) {
    const auto table = ImportSource::Clipboard("<table><tr><td>2024001</td><td>123</td></tr></table>", "ignored");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->name(), "剪贴板");
    EXPECT_EQ(PreviewImport(*table, Fc3d())->draws, 1u);
    const auto text = ImportSource::Clipboard("<p>no table</p>", "2024001 123\n2024002 456\n");
    ASSERT_TRUE(text);
    EXPECT_EQ(PreviewImport(*text, Fc3d())->draws, 2u);
    const auto empty = ImportSource::Clipboard("", " \r\n\t");
    ASSERT_FALSE(empty);
    EXPECT_EQ(empty.code(), ErrorCode::BadInput);
}

}  // namespace
}  // namespace sanxing::test
