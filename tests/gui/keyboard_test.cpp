// The window from the keyboard: Tab walks every control in layout order and never types
// into a box, a pasted tab is shown, Enter presses the focused button and runs 兑奖 from
// its box, the shortcuts press their buttons, and Ctrl+Z undoes what a button or a file
// did to a box.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

#include "gui/binding/tooltips.h"
#include "gui_fixture.h"

namespace sanxing::test {
namespace {

class Keyboard : public GuiTest {
protected:
    // The control that holds the focus (a combo's inner line edit stands for its combo).
    std::string focused() {
        for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
            if (store().has(w->objectName().toStdString())) return w->objectName().toStdString();
        }
        return {};
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }

    void showPage(const char* page) {
        auto* tabs = widget<QTabWidget>("高级选择夹1");
        tabs->setCurrentWidget(widget(page));
    }
};

TEST_F(Keyboard, TabWalksEveryControlInLayoutOrder) {
    closeAdPanel();
    widget("编辑框_大底")->setFocus(Qt::TabFocusReason);
    std::vector<std::string> walk{focused()};
    for (int i = 0; i < 1000; ++i) {
        press(Qt::Key_Tab);
        if (focused() == walk.front()) break;
        walk.push_back(focused());
    }
    ASSERT_EQ(focused(), walk.front()) << "Tab comes round again";
    for (const ControlRow& spec : store().table()) {
        auto* w = qobject_cast<QWidget*>(window->widgets().object(spec.name));
        if (w == nullptr || !w->isVisible() || (w->focusPolicy() & Qt::TabFocus) == 0) continue;
        EXPECT_NE(std::find(walk.begin(), walk.end(), spec.name), walk.end()) << spec.name << " is never reached";
    }
    const std::vector<std::string> order{
        "编辑框_大底",  "打开大底",    "清空大底",     "按钮_复制验证数据", "大底_反集",   "选择框_百位0",
        "选择框_百位9", "组合框_百位", "选择框_十位0", "编辑框_结果",       "选择框_反集", "编辑框_兑奖号码",
        "按钮_兑奖",    "组合框_容错", "按钮_缩水",    "按钮_复制",         "按钮_保存",   "按钮_全清",
        "组合框_彩种",  "列表框_开奖", "编辑框_A",     "编辑框_B",          "A排除B",      "到大底框"};
    auto at = walk.begin();
    for (const std::string& name : order) {
        at = std::find(at, walk.end(), name);
        ASSERT_NE(at, walk.end()) << name << " out of layout order";
    }
}

TEST_F(Keyboard, TabLeavesAListBoxAndATabThatArrivesIsShown) {
    closeAdPanel();
    showPage("选择夹_容错2");
    auto* box = widget<QPlainTextEdit>("定胆码组");
    box->setFocus(Qt::TabFocusReason);
    store().setText("定胆码组", "123 456 789");
    press(Qt::Key_Tab);
    EXPECT_EQ(store().text("定胆码组"), "123 456 789") << "Tab never types";
    EXPECT_NE(focused(), "定胆码组");
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), "定胆码组");

    store().setText("定胆码组", "12\t3");  // as a paste or a scheme brings it
    const QList<QTextLayout::FormatRange> marks = box->document()->firstBlock().layout()->formats();
    ASSERT_EQ(marks.size(), 1);
    EXPECT_EQ(marks[0].start, 2);
    EXPECT_EQ(marks[0].length, 1);
    EXPECT_TRUE(marks[0].format.hasProperty(QTextFormat::BackgroundBrush));
}

TEST_F(Keyboard, EnterPressesTheFocusedButtonAndRunsThePrizeCheck) {
    store().setText("编辑框_大底", "123 456 789");
    widget("按钮_缩水")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return);
    EXPECT_EQ(store().text("编辑框_结果"), "123 456 789 ");

    widget("编辑框_兑奖号码")->setFocus(Qt::TabFocusReason);
    store().setText("编辑框_兑奖号码", "456");
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(platform.answeredMessages().size(), 1u);
    EXPECT_EQ(platform.answeredMessages()[0].text, "恭喜你，中大奖了!");
}

TEST_F(Keyboard, ShortcutsPressTheirButtonsAndTheButtonsSaySo) {
    store().setText("编辑框_大底", "001 002");
    widget("编辑框_大底")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return, Qt::ControlModifier);
    // No line break; the box is left, as a click on 缩水 leaves it, and rewritten.
    EXPECT_EQ(store().text("编辑框_大底"), "001 002 ");
    EXPECT_EQ(store().text("编辑框_结果"), "001 002 ");

    platform.prepareFileChoice(std::nullopt);
    press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(platform.answeredFileDialogs().size(), 1u);
    EXPECT_FALSE(platform.answeredFileDialogs()[0].save);

    // F1 brings the usage notes, once however often it is pressed.
    press(Qt::Key_F1);
    press(Qt::Key_F1);
    int notes = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) notes += top->isVisible() && top->windowTitle() == "使用说明";
    EXPECT_EQ(notes, 1);
    window->activateWindow();

    for (const ControlRow& spec : store().table()) {
        if (spec.kind == ControlKind::Button) {
            EXPECT_FALSE(widget(spec.name)->toolTip().isEmpty()) << spec.name;
        }
    }
    EXPECT_TRUE(widget("打开大底")->toolTip().contains("Ctrl+O"));
    EXPECT_FALSE(widget("标签_和值")->toolTip().isEmpty());
}

TEST_F(Keyboard, ArrowKeysWalkAlongAndBetweenRowsOfCheckBoxes) {
    closeAdPanel();
    showPage("选择夹_基本");
    widget("选择框_百位0")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Left);
    EXPECT_EQ(focused(), "选择框_百位0") << "the panel's edge stops the walk";
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(focused(), "选择框_百位2");
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), "选择框_十位2");
    press(Qt::Key_Down);
    press(Qt::Key_Up);
    EXPECT_EQ(focused(), "选择框_十位2");
    EXPECT_TRUE(store().ticked("选择框_十位2")) << "arrows move, they do not tick";
}

TEST_F(Keyboard, FileMenuShowsTheShortcutsAndPressesTheButtons) {
    QMenu* file = window->menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    QStringList texts;
    for (QAction* action : file->actions()) texts << action->text();
    EXPECT_EQ(texts, (QStringList{"打开大底(&O)…\tCtrl+O", "保存结果(&S)…\tCtrl+S", "", "退出(&X)"}));
    platform.prepareFileChoice(std::nullopt);
    file->actions().front()->trigger();
    ASSERT_EQ(platform.answeredFileDialogs().size(), 1u);
    EXPECT_EQ(platform.answeredFileDialogs()[0].request.title, "打开大底文件");
}

TEST_F(Keyboard, AShortcutLeavesABadToleranceFirst) {
    store().setText("编辑框_大底", "001 002");
    auto* tolerance = widget<QComboBox>("组合框_容错");
    tolerance->setFocus(Qt::MouseFocusReason);
    tolerance->lineEdit()->selectAll();
    QTest::keyClicks(tolerance->lineEdit(), "1-x");
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(store().text("组合框_容错"), "0-0");
    EXPECT_EQ(store().text("编辑框_结果"), "001 002 ");
}

// Each button (and a file without numbers) changes its box; Ctrl+Z in the box brings
// the text back.
TEST_F(Keyboard, CtrlZUndoesWhatAButtonOrAFileDid) {
    QTemporaryDir dir;
    const QString noNumbers = dir.filePath("无号码.txt");
    QFile file(noNumbers);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("no numbers in here at all");
    file.close();

    struct Case {
        const char* button;
        const char* box;
    };
    const Case cases[] = {{"清空大底", "编辑框_大底"}, {"大底_反集", "编辑框_大底"}, {"到大底框", "编辑框_大底"},
                          {"打开大底", "编辑框_大底"}, {"全清", "编辑框_结果"},      {"选择框_反集", "编辑框_结果"},
                          {"A排除B", "编辑框_结果"},   {"B排除A", "编辑框_结果"},    {"AB合并", "编辑框_结果"},
                          {"AB交集", "编辑框_结果"},   {"AB全清", "编辑框_A"},       {"按钮_缩水", "编辑框_结果"},
                          {"全清", "编辑框_大底"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        store().setText("编辑框_大底", "001 002 ");
        store().setText("编辑框_结果", "999 ");
        store().setText("编辑框_A", "001 002 ");
        store().setText("编辑框_B", "002 ");
        const std::string before = store().text(c.box);
        const std::string button = std::string(c.button) == "全清" ? "按钮_全清" : c.button;
        if (button == "按钮_全清") platform.prepareMessageAnswer(MessageAnswer::Yes);
        if (button == "打开大底") platform.prepareFileChoice(noNumbers.toStdString());
        QTest::mouseClick(widget(button), Qt::LeftButton, {}, QPoint(4, 4));
        ASSERT_NE(store().text(c.box), before) << "the button changes the box";
        widget(c.box)->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(store().text(c.box), before);
    }
}

}  // namespace
}  // namespace sanxing::test
