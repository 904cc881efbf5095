#include "gui/platform/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QTimer>

#include "draws/announcer.h"
#include "gui/platform/file_details_model.h"
#include "gui/platform/file_filter.h"

namespace sanxing {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A message box sizes itself to its text only, and a window manager cuts a caption that
// is wider than the box ("复制大…"). An empty row as wide as the caption plus the title
// bar's icon and buttons keeps the whole caption in view.
void MakeRoomForCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 3 / 2 + kTitleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QtIcon(request.icon), Q(request.caption), Q(request.text),
                                             QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    if (AsksYesNo(request.buttons)) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(request.buttons == MessageButtons::YesNoDefaultNo ? QMessageBox::No : QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    MakeRoomForCaption(*box);
    return box;
}

std::unique_ptr<QFileDialog> MakeFileDialog(bool save, const FileDialogRequest& request, QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent, Q(request.title), Q(request.directory));
    dialog->setProxyModel(new ChineseFileDetails(dialog.get()));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QString filters = QtNameFilters(request.filter);
    if (!filters.isEmpty()) dialog->setNameFilter(filters);
    if (!request.fileName.empty()) dialog->selectFile(Q(request.fileName));
    return dialog;
}

MessageAnswer QtPlatform::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                     MessageButtons buttons) {
    const MessageRequest request{text, caption, icon, buttons};
    if (!messageAnswers_.empty()) {
        const MessageAnswer answer = messageAnswers_.front();
        messageAnswers_.pop_front();
        answeredMessages_.push_back(request);
        return answer;
    }
    const auto box = MakeMessageBox(request, dialogParent_);
    const int result = box->exec();
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<std::string> QtPlatform::fileDialog(bool save, const FileDialogRequest& request) {
    if (!fileChoices_.empty()) {
        std::optional<std::string> choice = std::move(fileChoices_.front());
        fileChoices_.pop_front();
        answeredFileDialogs_.push_back({save, request});
        return choice;
    }
    const auto dialog = MakeFileDialog(save, request, dialogParent_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return dialog->selectedFiles().front().toStdString();
}

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogRequest& request) {
    return fileDialog(false, request);
}

std::optional<std::string> QtPlatform::saveFileDialog(const FileDialogRequest& request) {
    return fileDialog(true, request);
}

std::vector<std::string> QtPlatform::openFilesDialog(const FileDialogRequest& request) {
    if (!fileChoices_.empty()) return Platform::openFilesDialog(request);
    const auto dialog = MakeFileDialog(false, request, dialogParent_);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    std::vector<std::string> files;
    if (dialog->exec() != QDialog::Accepted) return files;
    for (const QString& file : dialog->selectedFiles()) files.push_back(file.toStdString());
    return files;
}

void QtPlatform::setClipboardText(const std::string& text) { QApplication::clipboard()->setText(Q(text)); }

std::string QtPlatform::programDirectory() { return QCoreApplication::applicationDirPath().toStdString(); }

void QtPlatform::postToUiThread(std::function<void()> task) {
    QMetaObject::invokeMethod(&uiThread_, std::move(task), Qt::QueuedConnection);
}

void QtPlatform::startTimer(std::chrono::milliseconds delay, std::function<void()> task) {
    QTimer::singleShot(delay, &uiThread_, std::move(task));
}

void QtPlatform::playSound(std::string_view clip) { sounds_.play(SoundClipIndex(clip)); }

void QtPlatform::stopSounds() { sounds_.stop(); }

}  // namespace sanxing
