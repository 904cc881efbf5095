// The window's own skin: the style sheet and images the program carries, put on by the
// creation handler, silent when anything fails, and nothing cut off while it is on.

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include "gui/application.h"
#include "gui/style/fonts.h"
#include "gui/style/skin.h"
#include "gui_fixture.h"

namespace sanxing::test {
namespace {

// Collects what Qt warns about while it lives (a style sheet it cannot parse, say).
class QtWarnings {
public:
    QtWarnings() { previous_ = qInstallMessageHandler(Collect); }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    QtWarnings(const QtWarnings&) = delete;
    QtWarnings& operator=(const QtWarnings&) = delete;

    static std::vector<std::string>& seen() {
        static std::vector<std::string> messages;
        return messages;
    }

private:
    static void Collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.contains(QLatin1String("propagateSizeHints"))) {
            seen().push_back(message.toStdString());
        }
    }

    QtMessageHandler previous_ = nullptr;
};

// The share of pixels in which two pictures of the same size differ.
double DifferingShare(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size() || x.isNull()) return 0;
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) differing += x.pixel(column, row) != y.pixel(column, row);
    return static_cast<double>(differing) / (x.width() * x.height());
}

QColor MeanColour(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    long long red = 0, green = 0, blue = 0;
    for (int row = 0; row < rgb.height(); ++row) {
        for (int column = 0; column < rgb.width(); ++column) {
            const QRgb pixel = rgb.pixel(column, row);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    }
    const long long count = std::max<long long>(1, static_cast<long long>(rgb.width()) * rgb.height());
    return QColor(static_cast<int>(red / count), static_cast<int>(green / count), static_cast<int>(blue / count));
}

TEST(SkinResources, TheStyleSheetAndEveryImageItNamesAreCarried) {
    const QString sheet = ReadSkinStyleSheet();
    ASSERT_FALSE(sheet.trimmed().isEmpty());
    const QRegularExpression url(QStringLiteral(R"(url\(([^)]+)\))"));
    int images = 0;
    for (const QRegularExpressionMatch& match : url.globalMatch(sheet)) {
        const QString path = match.captured(1);
        EXPECT_TRUE(path.startsWith(QLatin1String(":/skin/"))) << path.toStdString() << " is not carried";
        EXPECT_FALSE(QImage(path).isNull()) << path.toStdString();
        QString large = path;
        large.insert(path.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        EXPECT_FALSE(QImage(large).isNull()) << large.toStdString();
        ++images;
    }
    EXPECT_GT(images, 0);
}

TEST(SkinResources, TheStyleSheetParses) {
    QWidget window;
    auto* box = new QCheckBox(QStringLiteral("0"), &window);
    box->setChecked(true);
    QtWarnings warnings;
    QtWarnings::seen().clear();
    AttachSkin(window);
    window.grab();  // polishes and draws every child, reading the whole sheet
    EXPECT_FALSE(window.styleSheet().isEmpty());
    for (const std::string& warning : QtWarnings::seen()) ADD_FAILURE() << warning;
}

TEST(SkinResources, AStyleSheetThatCannotBeReadIsEmpty) {
    EXPECT_TRUE(ReadSkinStyleSheet(QStringLiteral(":/skin/missing.qss")).isEmpty());
    EXPECT_TRUE(ReadSkinStyleSheet(QStringLiteral(":/skin")).isEmpty());  // a folder
    EXPECT_TRUE(ReadSkinStyleSheet(QString()).isEmpty());
}

TEST(SkinAtStartup, TheCreationHandlerPutsTheSkinOn) {
    QString sheetWhenShown;
    RunMainWindow(*qApp, [&](MainWindow& window) {
        sheetWhenShown = window.styleSheet();
        QTimer::singleShot(0, &window, &QWidget::close);
    });
    EXPECT_EQ(sheetWhenShown, ReadSkinStyleSheet());
}

class Skin : public GuiTest {
protected:
    // The control as the window draws it, over what lies under it.
    QImage picture(std::string_view name) {
        QWidget* control = widget(name);
        return window->grab(QRect(control->mapTo(window.get(), QPoint(0, 0)), control->size())).toImage();
    }

    // The creation handler's attach step, as start-up runs it.
    void attach() {
        AttachSkin(*window);
        QTest::qWait(10);
    }
};

TEST_F(Skin, TheAttachStepPutsTheStyleSheetOnTheWindowAlone) {
    attach();
    EXPECT_EQ(window->styleSheet(), ReadSkinStyleSheet());
    EXPECT_TRUE(qApp->styleSheet().isEmpty()) << "the skin stays with the window";
}

TEST_F(Skin, AMissingStyleSheetLeavesTheDefaultLookSilently) {
    QtWarnings warnings;
    QtWarnings::seen().clear();
    AttachSkin(*window, QStringLiteral(":/skin/missing.qss"));
    EXPECT_TRUE(window->styleSheet().isEmpty());
    EXPECT_TRUE(QtWarnings::seen().empty());
}

// Under the skin a ticked box is tinted as a whole, not only in its indicator as the
// default style draws it.
TEST_F(Skin, TickedAndUntickedBoxesLookClearlyApart) {
    attach();
    closeAdPanel();
    auto* box = widget<QCheckBox>("选择框_百位0");
    box->setChecked(true);
    const QImage ticked = picture("选择框_百位0");
    box->setChecked(false);
    const QImage unticked = picture("选择框_百位0");
    EXPECT_GT(DifferingShare(ticked, unticked), 0.6);
}

TEST_F(Skin, TheShrinkButtonAndItsCountStandOut) {
    attach();
    const QColor shrink = MeanColour(picture("按钮_缩水"));
    const QColor copy = MeanColour(picture("按钮_复制"));
    EXPECT_GT(shrink.red() - shrink.green(), 60) << "a red shrink button";
    EXPECT_LT(std::abs(copy.red() - copy.green()), 30) << "a plain copy button";
    EXPECT_TRUE(widget("按钮_缩水")->font().bold());
    const QFont count = widget<QLabel>("标签_缩水结果")->font();
    EXPECT_TRUE(count.bold());
    EXPECT_GT(count.pointSizeF(), window->font().pointSizeF());
}

TEST_F(Skin, NothingIsCutOffAndTheWindowKeepsItsSize) {
    attach();
    if (!WindowFont().families().isEmpty()) {
        EXPECT_EQ(window->size(), QSize(694, 700));
    }
    for (const std::string& problem : layoutProblemsEverywhere()) ADD_FAILURE() << problem;
    window->resize(1100, 900);
    QTest::qWait(20);
    for (const std::string& problem : layoutProblemsEverywhere()) ADD_FAILURE() << "1100x900: " << problem;
}

}  // namespace
}  // namespace sanxing::test
