// The widgets and the store stay equal in both directions, for every kind of control,
// without a write echoing back.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "gui/binding/table_combo_box.h"
#include "gui_fixture.h"
#include "runtime/text.h"
#include "window/control_table.h"

namespace sanxing::test {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

class Mirror : public GuiTest {
protected:
    // Counts the store's change notices for one control.
    void watch(std::string_view name) {
        const std::size_t index = store().indexOf(name);
        observer_ = store().addObserver([this, index](std::size_t changed) { notices_ += changed == index; });
    }
    void TearDown() override {
        if (observer_ != 0) store().removeObserver(observer_);
        GuiTest::TearDown();
    }
    int notices_ = 0;

private:
    int observer_ = 0;
};

// Every row of the control table appears with its caption, items and initial state.
TEST_F(Mirror, WidgetsStartAsTheControlTableSays) {
    for (const ControlRow& spec : ControlTable()) {
        SCOPED_TRACE(spec.name);
        QObject* object = window->widgets().object(spec.name);
        switch (spec.kind) {
            case ControlKind::EditBox:
                if (spec.multiLine) {
                    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(object)->toPlainText(), Q(ToLf(spec.text)));
                } else {
                    EXPECT_EQ(qobject_cast<QLineEdit*>(object)->text(), Q(spec.text));
                }
                break;
            case ControlKind::CheckBox: {
                auto* box = qobject_cast<QCheckBox*>(object);
                EXPECT_EQ(box->isChecked(), spec.ticked);
                EXPECT_EQ(box->text(), Q(spec.text));
                break;
            }
            case ControlKind::ComboBox: {
                auto* combo = qobject_cast<TableComboBox*>(object);
                ASSERT_EQ(combo->count(), static_cast<int>(spec.items.size()));
                for (int i = 0; i < combo->count(); ++i) EXPECT_EQ(combo->itemText(i), Q(spec.items[i]));
                // Lottery, position and count are picked from their lists, never typed.
                const bool listOnly =
                    spec.name == "组合框_彩种" || spec.name == "组合框_验证" || spec.name == "组合框_显示";
                EXPECT_EQ(combo->isEditable(), !listOnly);
                EXPECT_EQ(combo->currentIndex(), spec.selected);
                EXPECT_EQ(combo->currentText(), Q(spec.text));
                break;
            }
            case ControlKind::Label: EXPECT_EQ(qobject_cast<QLabel*>(object)->text(), Q(spec.text)); break;
            case ControlKind::Button: EXPECT_EQ(qobject_cast<QPushButton*>(object)->text(), Q(spec.text)); break;
            case ControlKind::GroupBox: EXPECT_EQ(qobject_cast<QGroupBox*>(object)->title(), Q(spec.text)); break;
            case ControlKind::ReportList:
                if (spec.name == kFailureTableName) {
                    EXPECT_EQ(object, nullptr) << "the failure table is data only";
                } else {
                    auto* list = qobject_cast<QTreeWidget*>(object);
                    ASSERT_EQ(list->columnCount(), static_cast<int>(spec.columns.size()));
                    for (int c = 0; c < list->columnCount(); ++c) {
                        EXPECT_EQ(list->headerItem()->text(c), Q(spec.columns[c].title));
                    }
                }
                break;
            case ControlKind::Timer: EXPECT_EQ(qobject_cast<QTimer*>(object)->interval(), spec.interval); break;
            case ControlKind::FileDialog: EXPECT_EQ(object, nullptr); break;
            case ControlKind::Window: EXPECT_EQ(window->windowTitle(), Q(spec.text)); break;
            default: EXPECT_NE(object, nullptr); break;
        }
    }
}

TEST_F(Mirror, TabPagesInTableOrder) {
    auto* tabs = widget<QTabWidget>("高级选择夹1");
    const QStringList expected = {"基本", "其他", "两码", "组合", "容错1", "容错2", "容错3"};
    ASSERT_EQ(tabs->count(), expected.size());
    for (int i = 0; i < tabs->count(); ++i) EXPECT_EQ(tabs->tabText(i), expected[i]);
    EXPECT_EQ(tabs->widget(4), widget("选择夹_容错1"));
}

TEST_F(Mirror, LineEditBothWays) {
    auto* edit = widget<QLineEdit>("编辑框_兑奖号码");
    watch("编辑框_兑奖号码");
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(store().text("编辑框_兑奖号码"), "12");
    EXPECT_EQ(notices_, 2);  // one per keystroke, no echo

    store().setText("编辑框_兑奖号码", "345");
    EXPECT_EQ(edit->text(), "345");
    EXPECT_EQ(notices_, 3);
}

TEST_F(Mirror, MultiLineBoxShowsLfAndStoresCrLf) {
    closeAdPanel();
    auto* box = widget<QPlainTextEdit>("编辑框_A");
    QTest::keyClicks(box, "123");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "456");
    EXPECT_EQ(store().text("编辑框_A"), "123\r\n456");

    store().setText("编辑框_A", "1\r\n2\n3\r4");
    EXPECT_EQ(box->toPlainText(), "1\n2\n3\n4");
    EXPECT_EQ(store().text("编辑框_A"), "1\r\n2\n3\r4") << "showing a text must not rewrite it";

    // A pasted text with lone LF is stored with CR LF.
    box->setPlainText("7\n8");
    EXPECT_EQ(store().text("编辑框_A"), "7\r\n8");
}

TEST_F(Mirror, HintTextOfAnExclusionListIsShownLineByLine) {
    auto* box = widget<QPlainTextEdit>("杀百位");
    EXPECT_EQ(box->toPlainText(), "号码如下\n123\n456\n789\n012\n保持每行一排");
    EXPECT_EQ(store().text("杀百位"), "号码如下\r\n123\r\n456\r\n789\r\n012\r\n保持每行一排");
}

TEST_F(Mirror, CheckBoxBothWays) {
    closeAdPanel();
    auto* box = widget<QCheckBox>("选择框_跨度3");
    watch("选择框_跨度3");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(store().ticked("选择框_跨度3"));
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(store().ticked("选择框_跨度3"));
    EXPECT_EQ(notices_, 2);

    store().setTicked("选择框_跨度3", false);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(notices_, 3);
}

TEST_F(Mirror, ComboPickedTypedAndWritten) {
    auto* combo = widget<TableComboBox>("组合框_容错");
    QTest::keyClick(combo, Qt::Key_Down);  // with nothing selected, picks the first item
    EXPECT_EQ(store().selectedIndex("组合框_容错"), 0);
    EXPECT_EQ(store().text("组合框_容错"), "0-0");
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(store().selectedIndex("组合框_容错"), 1);
    EXPECT_EQ(store().text("组合框_容错"), "0-1");

    // Typing replaces the text and drops the selection, even for an item's text.
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "1-2");
    EXPECT_EQ(store().text("组合框_容错"), "1-2");
    EXPECT_EQ(store().selectedIndex("组合框_容错"), -1);

    store().select("组合框_容错", 10);
    EXPECT_EQ(combo->currentIndex(), 10);
    EXPECT_EQ(combo->currentText(), "1-5");
    store().setText("组合框_容错", "0-7");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "0-7");
    EXPECT_EQ(store().text("组合框_容错"), "0-7");
}

TEST_F(Mirror, PickerCaptionWordStaysOutsideTheList) {
    auto* picker = widget<TableComboBox>("组合框_百十两码");
    EXPECT_EQ(picker->currentText(), "百 十");
    store().setText("组合框_百十两码", "百十");
    EXPECT_EQ(picker->currentText(), "百十");
    EXPECT_EQ(picker->count(), 100) << "a caption word never becomes an item";
}

TEST_F(Mirror, CaptionsFollowTheStore) {
    store().setText("标签_缩水结果", "12注");
    EXPECT_EQ(widget<QLabel>("标签_缩水结果")->text(), "12注");
    store().setText("按钮_缩水", "缩 水");
    EXPECT_EQ(widget<QPushButton>("按钮_缩水")->text(), "缩 水");
    store().setText("分组框3", "合尾");
    EXPECT_EQ(widget<QGroupBox>("分组框3")->title(), "合尾");
    store().setText("选择夹_其他", "其它");
    EXPECT_EQ(widget<QTabWidget>("高级选择夹1")->tabText(1), "其它");
}

TEST_F(Mirror, ReportListRowsFollowTheStore) {
    auto* list = widget<QTreeWidget>("列表框_开奖");
    store().setRows("列表框_开奖", {{"20240101-001", "12345", ""}, {"20240101-000", "54321", "对"}});
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(2), "对");
    store().insertRow("列表框_开奖", 0, {"20240101-002", "00000", ""});
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "00000");
    store().setCell("列表框_开奖", 0, 2, "错");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "错");
}

TEST_F(Mirror, ResetShowsEveryInitialStateAgain) {
    closeAdPanel();
    widget<QCheckBox>("选择框_合值05")->click();
    QTest::keyClicks(widget<QPlainTextEdit>("编辑框_大底"), "555");
    store().reset();
    EXPECT_TRUE(widget<QCheckBox>("选择框_合值05")->isChecked());
    EXPECT_TRUE(widget<QPlainTextEdit>("编辑框_大底")->toPlainText().isEmpty());
    EXPECT_TRUE(widget("图片框28")->isVisible()) << "visibility follows the store both ways";
}

// Each step ends its event before the next, as a user's clicks do.
void EndEvent() { QCoreApplication::processEvents(); }

TEST_F(Mirror, UndoBringsBackTheTickAndTheCountWithTheText) {
    store().setText("编辑框_大底", "123 456 789");
    EndEvent();
    widget<QPushButton>("按钮_缩水")->click();
    EndEvent();
    ASSERT_EQ(store().text("标签_缩水结果"), "3注");
    QTest::mouseClick(widget<QCheckBox>("选择框_反集"), Qt::LeftButton);
    EndEvent();
    ASSERT_EQ(store().text("标签_缩水结果"), "997注");

    auto* result = widget<QPlainTextEdit>("编辑框_结果");
    result->undo();  // 反集
    EXPECT_EQ(store().text("编辑框_结果"), "123 456 789 ");
    EXPECT_FALSE(widget<QCheckBox>("选择框_反集")->isChecked());
    EXPECT_FALSE(store().ticked("选择框_反集"));
    EXPECT_EQ(widget<QLabel>("标签_缩水结果")->text(), "3注");
    result->undo();  // 缩水
    EXPECT_EQ(store().text("编辑框_结果"), "");
    EXPECT_EQ(store().text("标签_缩水结果"), "Tavrel");
    result->redo();
    result->redo();
    EXPECT_TRUE(store().ticked("选择框_反集"));
    EXPECT_EQ(store().text("标签_缩水结果"), "997注");
}

}  // namespace
}  // namespace sanxing::test
