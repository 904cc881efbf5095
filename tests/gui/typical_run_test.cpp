// The everyday use of the window, through real widgets: untick a digit, type a base set,
// press 缩水, read the result and its count. This is the README's example; the other
// programs' tests do not repeat it.

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "gui_fixture.h"

namespace sanxing::test {
namespace {

class TypicalRun : public GuiTest {};

TEST_F(TypicalRun, ShrinksTheTypedBaseByTheUntickedDigit) {
    closeAdPanel();
    auto* tabs = widget<QTabWidget>("高级选择夹1");
    ASSERT_TRUE(tabs->isVisible());
    ASSERT_EQ(tabs->currentWidget(), widget("选择夹_基本"));

    auto* seven = widget<QCheckBox>("选择框_百位7");
    QTest::mouseClick(seven, Qt::LeftButton);
    EXPECT_FALSE(seven->isChecked());
    EXPECT_FALSE(store().ticked("选择框_百位7"));

    auto* base = widget<QPlainTextEdit>("编辑框_大底");
    base->setFocus();
    QTest::keyClicks(base, "123 456 789");
    EXPECT_EQ(store().text("编辑框_大底"), "123 456 789");

    QTest::mouseClick(widget<QPushButton>("按钮_缩水"), Qt::LeftButton);
    EXPECT_EQ(widget<QPlainTextEdit>("编辑框_结果")->toPlainText(), "123 456 ");
    EXPECT_EQ(widget<QLabel>("标签_缩水结果")->text(), "2注");
}

}  // namespace
}  // namespace sanxing::test
