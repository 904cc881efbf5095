// The window's look: its size and title, the font, every control placed, and nothing cut
// off on any page at the default size or in a larger window.

#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include "gui/style/fonts.h"
#include "gui_fixture.h"
#include "window/control_table.h"

namespace sanxing::test {
namespace {

TEST(WindowFontChoice, PrefersSongtiThenAProportionalChineseFont) {
    EXPECT_EQ(ChooseWindowFontFamily({"DejaVu Sans", "SimSun", "宋体"}, {"SimSun", "宋体"}), "宋体");
    EXPECT_EQ(ChooseWindowFontFamily({"DejaVu Sans", "simsun"}, {"simsun"}), "SimSun");
    EXPECT_EQ(ChooseWindowFontFamily({"A", "B Mono", "B"}, {"B Mono", "B"}), "B");
    // A wider fallback font that sorts first does not win over the installed one.
    EXPECT_EQ(ChooseWindowFontFamily({"Droid Sans Fallback", "WenQuanYi Micro Hei"},
                                     {"Droid Sans Fallback", "WenQuanYi Micro Hei"}),
              "WenQuanYi Micro Hei");
    EXPECT_EQ(ChooseWindowFontFamily({"B Mono"}, {"B Mono"}), "B Mono");
    EXPECT_EQ(ChooseWindowFontFamily({"DejaVu Sans"}, {}), "");
    // Without any the user is told which package brings one.
    EXPECT_TRUE(MissingChineseFontWarning({}).contains("fonts-wqy-microhei"));
    EXPECT_TRUE(MissingChineseFontWarning({"B"}).isEmpty());
}

class Layout : public GuiTest {
protected:
    static bool HasChineseFont() { return !WindowFont().families().isEmpty(); }
};

TEST_F(Layout, DefaultWindow) {
    EXPECT_EQ(window->windowTitle().toStdString(), kWindowTitle);
    if (!HasChineseFont()) GTEST_SKIP() << "no Chinese font on this machine";
    EXPECT_EQ(window->size(), QSize(694, 700));
    const QFontInfo font(widget<QLabel>("标签_百位")->font());
    EXPECT_EQ(font.family(), WindowFont().families().front());
}

TEST_F(Layout, NothingIsCutOffAtTheDefaultSize) {
    for (const std::string& problem : layoutProblemsEverywhere()) ADD_FAILURE() << problem;
}

TEST_F(Layout, LargerWindowGrowsTheBoxesAndCutsNothingOff) {
    const int baseWidth = widget("编辑框_大底")->width();
    const int resultHeight = widget("编辑框_结果")->height();
    window->resize(1100, 900);
    QTest::qWait(20);
    EXPECT_GT(widget("编辑框_大底")->width(), baseWidth);
    EXPECT_GT(widget("编辑框_结果")->height(), resultHeight);
    EXPECT_GT(widget("编辑框_A")->height(), 216);
    for (const std::string& problem : layoutProblemsEverywhere()) ADD_FAILURE() << problem;
}

TEST_F(Layout, RegionsSitWhereTheWindowPutsThem) {
    closeAdPanel();
    const auto at = [this](const char* name) { return widget(name)->mapTo(window.get(), QPoint(0, 0)); };
    // Base set | condition tabs | result on top; the draw list under the base set, A/B to its right.
    EXPECT_LT(at("编辑框_大底").x(), at("高级选择夹1").x());
    EXPECT_LT(at("高级选择夹1").x(), at("编辑框_结果").x());
    EXPECT_GT(at("列表框_开奖").y(), at("打开大底").y());
    EXPECT_GT(at("编辑框_A").x(), at("列表框_开奖").x());
    EXPECT_LT(at("编辑框_A").x(), at("编辑框_B").x());
    EXPECT_GT(at("A排除B").y(), at("编辑框_A").y());
}

}  // namespace
}  // namespace sanxing::test
