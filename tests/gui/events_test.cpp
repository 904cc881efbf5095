// Widget events reach the window model: every row of the binding table is wired, the ad
// panel closes for good, the timer ticks, and a failing handler is reported, not fatal.

#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <set>
#include <stdexcept>

#include "app/bindings.h"
#include "gui/binding/event_router.h"
#include "gui/binding/table_combo_box.h"
#include "gui/binding/tolerance_guard.h"
#include "gui_fixture.h"

namespace sanxing::test {
namespace {

using Routed = std::pair<std::string, ControlEvent>;

class Events : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        window->router().setTap(
            [this](std::string_view name, ControlEvent event) { routed.emplace(std::string(name), event); });
    }

    // Does to the widget what a user does to fire the event.
    void perform(const EventBinding& binding) {
        QObject* object = window->widgets().object(binding.control);
        switch (binding.event) {
            case ControlEvent::Click: QTest::mouseClick(qobject_cast<QWidget*>(object), Qt::LeftButton); break;
            case ControlEvent::ItemSelected: QTest::keyClick(qobject_cast<QWidget*>(object), Qt::Key_Down); break;
            case ControlEvent::FocusIn:
            case ControlEvent::FocusOut: {
                auto* box = qobject_cast<QWidget*>(object);
                ShowPageOf(box);
                box->setFocus(Qt::MouseFocusReason);
                widget("编辑框_兑奖号码")->setFocus(Qt::MouseFocusReason);
                break;
            }
            case ControlEvent::Tick: {
                auto* timer = qobject_cast<QTimer*>(object);
                EXPECT_EQ(timer->interval(), 10000);
                timer->start(1);
                WaitFor([&] { return routed.contains({std::string(binding.control), ControlEvent::Tick}); });
                timer->stop();
                break;
            }
        }
    }

    // Focus moves only to a widget that is shown.
    void ShowPageOf(QWidget* box) {
        auto* tabs = widget<QTabWidget>("高级选择夹1");
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(box)) tabs->setCurrentIndex(i);
        }
    }

    std::set<Routed> routed;
};

TEST_F(Events, EveryBindingRowIsWired) {
    closeAdPanel();
    for (const EventBinding& binding : EventBindings()) {
        SCOPED_TRACE(std::string(binding.control));
        // Whatever a handler asks is answered with "no" or a cancelled dialog.
        for (int i = 0; i < 3; ++i) {
            platform.prepareMessageAnswer(MessageAnswer::No);
            platform.prepareFileChoice(std::nullopt);
        }
        perform(binding);
        platform.dropPreparedAnswers();
        EXPECT_TRUE(routed.contains({std::string(binding.control), binding.event}));
    }
}

TEST_F(Events, EditBoxFocusComesInAndGoesOut) {
    closeAdPanel();
    widget("编辑框_B")->setFocus(Qt::TabFocusReason);
    routed.clear();
    auto* base = widget<QPlainTextEdit>("编辑框_大底");
    base->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(routed.contains({"编辑框_大底", ControlEvent::FocusIn}));
    EXPECT_FALSE(routed.contains({"编辑框_大底", ControlEvent::FocusOut}));
    widget("编辑框_B")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(routed.contains({"编辑框_大底", ControlEvent::FocusOut}));
}

TEST_F(Events, ContextMenuDoesNotTakeTheFocusAway) {
    auto* base = widget<QPlainTextEdit>("编辑框_大底");
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(base, &out);
    EXPECT_FALSE(routed.contains({"编辑框_大底", ControlEvent::FocusOut}));
}

TEST_F(Events, AdPanelCloseButtonHidesItForGood) {
    auto* panel = widget("图片框28");
    auto* tabs = widget<QTabWidget>("高级选择夹1");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(tabs->isVisible()) << "the panel covers the condition pages at start";

    closeAdPanel();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(store().visible("图片框28"));
    EXPECT_TRUE(tabs->isVisible());
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        EXPECT_TRUE(tabs->widget(page)->isVisible());
    }
    // Working the window does not bring it back.
    widget<QPushButton>("按钮_缩水")->click();
    tabs->setCurrentIndex(0);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(Events, CheckBoxClickTogglesOnceAndFiresOnce) {
    auto* box = widget<QCheckBox>("选择框_反集");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(store().ticked("选择框_反集"));
    EXPECT_TRUE(routed.contains({"选择框_反集", ControlEvent::Click}));
}

TEST_F(Events, CodeChangingAWidgetFiresNoEvent) {
    widget<QCheckBox>("选择框_反集")->setChecked(true);
    widget<TableComboBox>("组合框_彩种")->setCurrentIndex(2);
    EXPECT_TRUE(routed.empty());
    EXPECT_TRUE(store().ticked("选择框_反集"));
    EXPECT_EQ(store().text("组合框_彩种"), "新疆时时彩");
}

TEST_F(Events, ListsOnlyForKindPositionAndCount) {
    for (const char* list : {"组合框_彩种", "组合框_验证", "组合框_显示"}) {
        EXPECT_FALSE(widget<TableComboBox>(list)->isEditable()) << list;
    }
    store().setText("组合框_彩种", "江西时时彩");
    EXPECT_EQ(widget<TableComboBox>("组合框_彩种")->currentText(), "江西时时彩");
    EXPECT_TRUE(widget("组合框_验证")->isEnabled());
    store().setText("组合框_彩种", "福彩3D");
    EXPECT_FALSE(widget("组合框_验证")->isEnabled()) << "a three-digit number has no 前三 or 后三";
    store().select("组合框_彩种", 3);
    EXPECT_TRUE(widget("组合框_验证")->isEnabled());
}

TEST_F(Events, ABadToleranceIsRedAndGoesBackOnLeaving) {
    auto* tolerance = widget<TableComboBox>("组合框_容错");
    const QString tip = tolerance->toolTip();
    tolerance->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(tolerance, Qt::Key_Down);  // picks 0-1
    tolerance->lineEdit()->selectAll();
    QTest::keyClicks(tolerance->lineEdit(), "3-9");
    tolerance->lineEdit()->selectAll();
    QTest::keyClicks(tolerance->lineEdit(), "abc");
    EXPECT_EQ(store().text("组合框_容错"), "abc");
    EXPECT_TRUE(tolerance->lineEdit()->styleSheet().contains("color"));
    EXPECT_EQ(tolerance->toolTip(), QString::fromUtf8(kBadToleranceTip));

    widget("编辑框_兑奖号码")->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(routed.contains({"组合框_容错", ControlEvent::FocusOut}));
    EXPECT_EQ(store().text("组合框_容错"), "3-9");
    EXPECT_EQ(tolerance->currentText(), "3-9");
    EXPECT_TRUE(tolerance->lineEdit()->styleSheet().isEmpty());
    EXPECT_EQ(tolerance->toolTip(), tip);
}

TEST_F(Events, WheelOverAComboPicksNothingUnlessTheBoxHasFocus) {
    auto* combo = widget<TableComboBox>("组合框_容错");
    const QPoint centre = combo->rect().center();
    QWheelEvent down(centre, combo->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                     false);
    QCoreApplication::sendEvent(combo, &down);
    EXPECT_EQ(store().selectedIndex("组合框_容错"), -1);
    EXPECT_TRUE(routed.empty());

    combo->setFocus();
    QWheelEvent again(centre, combo->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(combo, &again);
    EXPECT_TRUE(routed.contains({"组合框_容错", ControlEvent::ItemSelected}));
}

TEST_F(Events, TimersStartWhenTheWindowIsCreated) {
    auto* timer = qobject_cast<QTimer*>(window->widgets().object("时钟_开奖更新"));
    EXPECT_FALSE(timer->isActive());
    window->created();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 10000);
}

TEST_F(Events, FailingHandlerIsReportedNotFatal) {
    window->router().setTap([](std::string_view, ControlEvent) { throw std::runtime_error("boom"); });
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    widget<QPushButton>("按钮_缩水")->click();
    ASSERT_EQ(platform.answeredMessages().size(), 1u);
    EXPECT_EQ(platform.answeredMessages()[0].text, "操作失败：boom");
    EXPECT_EQ(platform.answeredMessages()[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace sanxing::test
