// Platform services over Qt: filters, the dialogs as built, real dialogs answered by a
// simulated user, prepared answers, the clipboard.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/platform/file_details_model.h"
#include "gui/platform/file_filter.h"
#include "gui/platform/qt_platform.h"
#include "gui_fixture.h"

namespace sanxing::test {
namespace {

TEST(FileFilter, PairsBecomeQtFilters) {
    EXPECT_EQ(QtNameFilters("文本文件(*.txt)|*.txt|所有文件(*.*)|*.*"), "文本文件 (*.txt);;所有文件 (*.*)");
    EXPECT_EQ(QtNameFilters("表格|*.txt;*.csv"), "表格 (*.txt *.csv)");
    EXPECT_EQ(QtNameFilters("文本 (*.doc;*.txt)|*.txt"), "文本 (*.txt)") << "the real patterns win over the label";
}

TEST(FileFilter, IncompleteFiltersStillWork) {
    EXPECT_EQ(QtNameFilters(""), "");
    EXPECT_EQ(QtNameFilters("文本|*.txt|其他"), "文本 (*.txt);;其他 (*)");
    EXPECT_EQ(QtNameFilters("|*.txt"), "*.txt (*.txt)");
    EXPECT_EQ(QtNameFilters("文本|;;"), "文本 (*)");
    EXPECT_EQ(QtNameFilters("文本|*.txt|"), "文本 (*.txt)");
}

TEST(MessageBoxes, BuiltWithCaptionTextIconAndButtons) {
    const auto question = MakeMessageBox({"确定吗？", "提示", MessageIcon::Question, MessageButtons::YesNo}, nullptr);
    EXPECT_EQ(question->windowTitle(), "提示");
    EXPECT_EQ(question->text(), "确定吗？");
    EXPECT_EQ(question->icon(), QMessageBox::Question);
    EXPECT_EQ(question->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question->escapeButton(), question->button(QMessageBox::No));
    EXPECT_EQ(static_cast<QAbstractButton*>(question->defaultButton()), question->button(QMessageBox::Yes));
    const auto losing =
        MakeMessageBox({"删除？", "提示", MessageIcon::Question, MessageButtons::YesNoDefaultNo}, nullptr);
    EXPECT_EQ(losing->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(static_cast<QAbstractButton*>(losing->defaultButton()), losing->button(QMessageBox::No))
        << "Return keeps the data";

    const auto error = MakeMessageBox({"<b>x</b>", "错误", MessageIcon::Error, MessageButtons::Ok}, nullptr);
    EXPECT_EQ(error->icon(), QMessageBox::Critical);
    EXPECT_EQ(error->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(error->textFormat(), Qt::PlainText) << "message texts are never read as markup";
}

TEST(MessageBoxes, ChineseButtonsAndRoomForTheWholeCaption) {
    const auto question =
        MakeMessageBox({"确定全清吗", "全部清除", MessageIcon::Question, MessageButtons::YesNo}, nullptr);
    EXPECT_TRUE(question->button(QMessageBox::Yes)->text().startsWith("是"));
    EXPECT_TRUE(question->button(QMessageBox::No)->text().startsWith("否"));
    const auto copied =
        MakeMessageBox({"复制成功！", "复制大底！", MessageIcon::Information, MessageButtons::Ok}, nullptr);
    EXPECT_TRUE(copied->button(QMessageBox::Ok)->text().startsWith("确定"));
    copied->show();
    EXPECT_GE(copied->width(), copied->fontMetrics().horizontalAdvance("复制大底！") + kTitleBarExtras);

    QPlainTextEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    EXPECT_TRUE(menu->actions().front()->text().startsWith("撤")) << menu->actions().front()->text().toStdString();
}

TEST(FileDialogs, BuiltWithTitleFilterFolderAndName) {
    QTemporaryDir dir;
    const auto save = MakeFileDialog(true, {"保存", "文本文件|*.txt", dir.path().toStdString(), "结果.txt"}, nullptr);
    EXPECT_EQ(save->windowTitle(), "保存");
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(save->nameFilters(), QStringList{"文本文件 (*.txt)"});
    EXPECT_EQ(save->directory().absolutePath(), QDir(dir.path()).absolutePath());
    ASSERT_EQ(save->selectedFiles().size(), 1);
    EXPECT_TRUE(save->selectedFiles()[0].endsWith("结果.txt"));

    const auto open = MakeFileDialog(false, {"打开", "", "", ""}, nullptr);
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
}

// Sizes, dates and folders read in Chinese whatever the system's language (Qt formats
// them by the system's locale and leaves "Folder" untranslated).
TEST(FileDialogs, ShowSizesDatesAndFoldersInChinese) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("文件夹甲"));
    QFile file(dir.filePath("a.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(5000, 'x'));
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7)), QFileDevice::FileModificationTime));
    file.close();
    const auto dialog = MakeFileDialog(false, {"打开", "", dir.path().toStdString(), ""}, nullptr);
    QAbstractProxyModel* model = dialog->proxyModel();
    ASSERT_NE(model, nullptr);
    const auto* files = qobject_cast<QFileSystemModel*>(model->sourceModel());
    ASSERT_NE(files, nullptr);
    const QModelIndex root = model->mapFromSource(files->index(dir.path()));
    ASSERT_TRUE(WaitFor([&] { return model->rowCount(root) == 2; }));
    const auto text = [&](const char* name, int column) {
        const QModelIndex at = model->mapFromSource(files->index(dir.filePath(QString::fromUtf8(name)), column));
        return model->data(at, Qt::DisplayRole).toString();
    };
    EXPECT_EQ(text("a.txt", 1), "4.9 KB");
    EXPECT_EQ(text("a.txt", 3), "2024/3/5 14:07");
    EXPECT_EQ(text("文件夹甲", 1), "");
    EXPECT_EQ(text("文件夹甲", 2), "文件夹");
    EXPECT_EQ(FileSizeText(1023), "1023 字节");
    EXPECT_EQ(FileSizeText(3 * 1024 * 1024), "3.0 MB");
}

// A simulated user answers the next dialog that appears.
void AnswerNextDialog(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

class RealDialogs : public ::testing::Test {
protected:
    std::vector<std::string> surprises;
    DialogWatchdog watchdog{[this](const std::string& what) { surprises.push_back(what); }};
    QtPlatform platform;
};

TEST_F(RealDialogs, QuestionBoxReturnsTheButtonPressed) {
    AnswerNextDialog([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(platform.messageBox("继续？", "提示", MessageIcon::Question, MessageButtons::YesNo), MessageAnswer::No);
    AnswerNextDialog([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(platform.messageBox("继续？", "提示", MessageIcon::Question, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_TRUE(surprises.empty());
}

TEST_F(RealDialogs, OpenDialogReturnsTheChosenFileOrNothing) {
    QTemporaryDir dir;
    const QString file = dir.filePath("大底.txt");
    QFile(file).open(QIODevice::WriteOnly);
    AnswerNextDialog([file](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        // Types the name, as selectFile() leaves alone a name box that has the focus.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(file);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept checks the file
    });
    EXPECT_EQ(platform.openFileDialog({"打开", "文本文件|*.txt", dir.path().toStdString(), ""}), file.toStdString());

    AnswerNextDialog([](QWidget* modal) { qobject_cast<QFileDialog*>(modal)->reject(); });
    EXPECT_EQ(platform.saveFileDialog({"保存", "", dir.path().toStdString(), "a.txt"}), std::nullopt);
    EXPECT_TRUE(surprises.empty());
}

TEST_F(RealDialogs, WatchdogClosesADialogNobodyAnswers) {
    EXPECT_EQ(platform.messageBox("无人回答", "提示", MessageIcon::Information, MessageButtons::Ok), MessageAnswer::Ok);
    ASSERT_EQ(surprises.size(), 1u);
    EXPECT_EQ(surprises[0], "提示: 无人回答");
}

TEST(PreparedAnswers, AnswerInOrderAndRecordTheRequests) {
    QtPlatform platform;
    platform.prepareMessageAnswer(MessageAnswer::Yes);
    platform.prepareMessageAnswer(MessageAnswer::No);
    platform.prepareFileChoice("/tmp/x.txt");
    EXPECT_EQ(platform.messageBox("a", "b", MessageIcon::Question, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(platform.messageBox("c", "d", MessageIcon::Warning, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(platform.saveFileDialog({"保存", "f", "/tmp", "n"}), "/tmp/x.txt");
    EXPECT_FALSE(platform.answersLeft());
    ASSERT_EQ(platform.answeredMessages().size(), 2u);
    EXPECT_EQ(platform.answeredMessages()[1].caption, "d");
    EXPECT_EQ(platform.answeredMessages()[1].icon, MessageIcon::Warning);
    ASSERT_EQ(platform.answeredFileDialogs().size(), 1u);
    EXPECT_TRUE(platform.answeredFileDialogs()[0].save);
    EXPECT_EQ(platform.answeredFileDialogs()[0].request.fileName, "n");
}

TEST(Clipboard, HoldsTheTextSet) {
    QtPlatform platform;
    platform.setClipboardText("123 456 \r\n2注");
    EXPECT_EQ(QApplication::clipboard()->text(), "123 456 \r\n2注");
    EXPECT_EQ(platform.programDirectory(), QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace
}  // namespace sanxing::test
