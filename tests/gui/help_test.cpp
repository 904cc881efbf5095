// The help window: a section for every feature, opened at a section by id, and a search
// that keeps only the sections holding the words.

#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>

#include "gui/help/help_texts.h"
#include "gui/help/help_window.h"
#include "gui_fixture.h"

namespace sanxing::test {
namespace {

QStringList VisibleSections(const HelpWindow& help) {
    QStringList titles;
    for (int i = 0; i < help.sections()->count(); ++i) {
        if (!help.sections()->item(i)->isHidden()) titles << help.sections()->item(i)->text();
    }
    return titles;
}

TEST(Help, EveryFeatureHasASectionAndTheSearchFindsIt) {
    HelpWindow help;
    QStringList all;
    for (const HelpSection& section : HelpSections()) all << QString::fromUtf8(section.title.data());
    for (const char* feature : {"条件", "大底与结果", "开奖列表", "开奖历史", "导入与导出", "历史验证", "走势图与遗漏",
                                "查号", "方案", "快捷键", "开奖数据源"}) {
        EXPECT_TRUE(all.contains(QString::fromUtf8(feature))) << feature;
    }

    help.showSection("trend");
    EXPECT_EQ(help.sections()->currentItem()->text(), "走势图与遗漏");
    EXPECT_TRUE(help.text()->toPlainText().contains("平均遗漏"));

    help.search()->setText("p 值");
    EXPECT_EQ(VisibleSections(help), QStringList{"历史验证"});
    EXPECT_EQ(help.sections()->currentItem()->text(), "历史验证");
    EXPECT_EQ(help.text()->textCursor().selectedText(), "p 值") << "the words are marked in the text";

    help.search()->setText("sources.json");
    EXPECT_EQ(VisibleSections(help), QStringList{"开奖数据源"});
    help.search()->setText("没有这样的词");
    EXPECT_TRUE(VisibleSections(help).isEmpty());
    EXPECT_TRUE(help.text()->toPlainText().contains("没有找到"));
    help.search()->clear();
    EXPECT_EQ(VisibleSections(help).size(), help.sections()->count());
}

}  // namespace
}  // namespace sanxing::test
