// The 方案 menu: a saved scheme opens back into the same state; a file that is not a
// scheme is refused with a message that names the problem, and nothing changes.

#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/scheme.h"
#include "gui/binding/table_combo_box.h"
#include "gui/scheme_files.h"
#include "gui/scheme_menu.h"
#include "gui_fixture.h"

namespace sanxing::test {
namespace {

class Schemes : public GuiTest {
protected:
    std::string path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }

    void write(const char* name, const QByteArray& bytes) {
        QFile file(QString::fromStdString(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    std::string read(const char* name) {
        QFile file(QString::fromStdString(path(name)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }

    void open(const char* name) {
        platform.prepareFileChoice(path(name));
        window->schemes().open();
    }

    // Opens a file that must be refused; returns the message shown.
    std::string refused(const char* name) {
        const nlohmann::json before = SchemeOf(store());
        const std::string base = store().text("编辑框_大底");
        platform.prepareMessageAnswer(MessageAnswer::Ok);
        open(name);
        EXPECT_EQ(SchemeOf(store()), before) << "a refused scheme changes nothing";
        EXPECT_EQ(store().text("编辑框_大底"), base);
        if (platform.answeredMessages().empty()) return {};
        EXPECT_EQ(platform.answeredMessages().back().caption, "方案");
        EXPECT_EQ(platform.answeredMessages().back().icon, MessageIcon::Error);
        return platform.answeredMessages().back().text;
    }

    QTemporaryDir dir;
};

TEST_F(Schemes, SavedSchemeOpensBackIntoTheSameState) {
    closeAdPanel();
    QTest::mouseClick(widget<QCheckBox>("选择框_百位7"), Qt::LeftButton);
    store().setText("杀百位", "123\r\n456");
    store().select("组合框_杀百容错", 3);
    store().setText("组合框_百十两码", "百十");
    store().setText("组合框_容错", "0-2");

    platform.prepareFileChoice(path("a.json"));
    window->schemes().save();
    ASSERT_EQ(platform.answeredFileDialogs().size(), 1u);
    EXPECT_TRUE(platform.answeredFileDialogs()[0].save);
    const nlohmann::json saved = nlohmann::json::parse(read("a.json"));
    EXPECT_EQ(saved, SchemeOf(store()));
    EXPECT_TRUE(saved.contains("组合框_容错"));
    EXPECT_FALSE(saved.contains("编辑框_大底")) << "the base set is not part of a scheme";

    store().reset();
    ASSERT_TRUE(widget<QCheckBox>("选择框_百位7")->isChecked());
    open("a.json");
    EXPECT_TRUE(platform.answeredMessages().empty());
    EXPECT_FALSE(widget<QCheckBox>("选择框_百位7")->isChecked());
    EXPECT_EQ(widget<QPlainTextEdit>("杀百位")->toPlainText(), "123\n456");
    EXPECT_EQ(store().text("杀百位"), "123\r\n456");
    EXPECT_EQ(widget<TableComboBox>("组合框_杀百容错")->currentIndex(), 3);
    EXPECT_EQ(store().selectedIndex("组合框_杀百容错"), 3);
    EXPECT_EQ(widget<TableComboBox>("组合框_百十两码")->currentText(), "百十");
    EXPECT_EQ(store().text("组合框_容错"), "0-2");
    EXPECT_EQ(SchemeOf(store()), saved);
}

TEST_F(Schemes, PartialSchemeSetsOnlyWhatItNames) {
    write("part.json", R"({"选择框_合值05": false, "组合框_容错": 2, "杀十位": "1\n2"})");
    open("part.json");
    EXPECT_FALSE(store().ticked("选择框_合值05"));
    EXPECT_TRUE(store().ticked("选择框_合值06"));
    EXPECT_EQ(store().selectedIndex("组合框_容错"), 2);
    EXPECT_EQ(store().text("组合框_容错"), "0-2");
    EXPECT_EQ(store().text("杀十位"), "1\r\n2");
}

TEST_F(Schemes, UnknownControlIsRefusedByName) {
    write("bad.json", R"({"选择框_百位7": false, "选择框_百位X": true})");
    EXPECT_NE(refused("bad.json").find("选择框_百位X"), std::string::npos);
}

TEST_F(Schemes, WrongValueKindIsRefusedByName) {
    write("bad.json", R"({"选择框_百位7": "no"})");
    EXPECT_NE(refused("bad.json").find("选择框_百位7"), std::string::npos);
    write("bad2.json", R"({"组合框_容错": 99})");
    EXPECT_NE(refused("bad2.json").find("组合框_容错"), std::string::npos);
}

TEST_F(Schemes, ControlsOutsideASchemeAreRefused) {
    write("base.json", R"({"选择框_百位7": false, "编辑框_大底": "123"})");
    EXPECT_NE(refused("base.json").find("编辑框_大底"), std::string::npos);
}

TEST_F(Schemes, FilesThatAreNoSchemeAreRefused) {
    write("text.json", "123 456 789");
    EXPECT_TRUE(refused("text.json").starts_with("方案无法使用：文件内容不是有效的 JSON\n"));
    write("array.json", "[1, 2]");
    EXPECT_NE(refused("array.json").find("不是 JSON 对象"), std::string::npos);
    write("binary.json", QByteArray("{\"\xff\xfe\": true}\0\x01", 14));
    EXPECT_FALSE(refused("binary.json").empty());
    write("deep.json", "{\"a\":" + QByteArray(100000, '[') + QByteArray(100000, ']') + "}");
    EXPECT_TRUE(refused("deep.json").starts_with("方案无法使用：JSON 嵌套太深（超过 64 层）\n"));
    write("empty.json", "");
    EXPECT_FALSE(refused("empty.json").empty());
}

TEST_F(Schemes, OversizedFileIsRefusedUnparsed) {
    write("big.json", QByteArray(kMaxSchemeFileBytes + 1, ' '));
    EXPECT_NE(refused("big.json").find("4 MB"), std::string::npos);
}

// The reason in Chinese; a FIFO is refused without waiting for a writer.
TEST_F(Schemes, MissingFileOrFifoIsReported) {
    EXPECT_EQ(refused("missing.json"),
              "无法读取方案文件：文件不存在（No such file or directory）\n" + path("missing.json"));
    ASSERT_EQ(::mkfifo(path("fifo.json").c_str(), 0600), 0);
    EXPECT_EQ(refused("fifo.json"), "无法读取方案文件：不是普通文件（FIFO）\n" + path("fifo.json"));
}

TEST_F(Schemes, FileGivenOnTheCommandLineOpensWithoutADialog) {
    write("part.json", R"({"选择框_合值05": false})");
    window->schemes().openPath(QString::fromStdString(path("part.json")));
    EXPECT_FALSE(store().ticked("选择框_合值05"));
    EXPECT_TRUE(platform.answeredFileDialogs().empty());
    platform.prepareFileChoice(std::nullopt);
    window->schemes().save();
    ASSERT_EQ(platform.answeredFileDialogs().size(), 1u);
    EXPECT_EQ(platform.answeredFileDialogs()[0].request.directory, QDir(dir.path()).absolutePath().toStdString());
}

TEST_F(Schemes, CancelledDialogsDoNothing) {
    const nlohmann::json before = SchemeOf(store());
    platform.prepareFileChoice(std::nullopt);
    window->schemes().open();
    platform.prepareFileChoice(std::nullopt);
    window->schemes().save();
    EXPECT_EQ(SchemeOf(store()), before);
    EXPECT_TRUE(platform.answeredMessages().empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(Schemes, SaveReplacesAnExistingFileWholeAndKeepsItsHardLinks) {
    write("a.json", QByteArray(100000, 'x'));
    ASSERT_EQ(::link(path("a.json").c_str(), path("b.json").c_str()), 0);
    platform.prepareFileChoice(path("a.json"));
    window->schemes().save();
    EXPECT_EQ(nlohmann::json::parse(read("b.json")), SchemeOf(store()));
    EXPECT_TRUE(std::filesystem::equivalent(path("a.json"), path("b.json")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file or copy is left";
}

TEST_F(Schemes, FailedSaveIsReportedAndKeepsNothing) {
    write("file", "not a folder");
    platform.prepareFileChoice(path("file") + "/a.json");
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    window->schemes().save();
    ASSERT_EQ(platform.answeredMessages().size(), 1u);
    EXPECT_EQ(platform.answeredMessages()[0].text,
              "方案保存失败：路径中有一项不是文件夹（Not a directory）\n" + path("file") + "/a.json");
    EXPECT_EQ(read("file"), "not a folder");
}

TEST_F(Schemes, DialogsOfferJsonFilesAndTheLastFolder) {
    write("a.json", "{}");
    open("a.json");
    platform.prepareFileChoice(std::nullopt);
    window->schemes().save();
    ASSERT_EQ(platform.answeredFileDialogs().size(), 2u);
    const FileDialogRequest& save = platform.answeredFileDialogs()[1].request;
    EXPECT_EQ(save.directory, QDir(dir.path()).absolutePath().toStdString());
    EXPECT_NE(save.filter.find("*.json"), std::string::npos);
    EXPECT_EQ(save.fileName, "方案.json");
}

}  // namespace
}  // namespace sanxing::test
