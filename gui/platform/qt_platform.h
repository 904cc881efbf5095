#pragma once
// Platform services over Qt: message boxes, file dialogs, the clipboard, the program's
// folder, the main thread's event queue and timers, and the sound clips. Answers can be
// prepared ahead: while one is queued, the next dialog of its kind
// is not shown and the prepared answer is returned, the request recorded. Tests use this
// so that no dialog ever waits for a user.

#include <QPointer>
#include <QWidget>
#include <deque>
#include <memory>
#include <vector>

#include "gui/platform/sound_player.h"
#include "runtime/platform.h"

class QFileDialog;
class QMessageBox;

namespace sanxing {

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

struct FileDialogCall {
    bool save = false;
    FileDialogRequest request;
};

class QtPlatform final : public Platform {
public:
    explicit QtPlatform(QWidget* dialogParent = nullptr) : dialogParent_(dialogParent) {}
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    // A prepared file choice answers it with that one file.
    std::vector<std::string> openFilesDialog(const FileDialogRequest& request) override;
    void setClipboardText(const std::string& text) override;
    std::string programDirectory() override;
    // Queued on the thread that created the platform (the UI thread).
    void postToUiThread(std::function<void()> task) override;
    void startTimer(std::chrono::milliseconds delay, std::function<void()> task) override;
    void playSound(std::string_view clip) override;
    void stopSounds() override;

    // The sound-clip table of the process; nothing plays until it is set.
    void setSoundClips(const SoundPlayer::Clips* clips) { sounds_.setClips(clips); }
    bool soundPlaying() const { return sounds_.playing(); }

    void prepareMessageAnswer(MessageAnswer answer) { messageAnswers_.push_back(answer); }
    // A path, or nothing for a cancelled dialog.
    void prepareFileChoice(std::optional<std::string> path) { fileChoices_.push_back(std::move(path)); }
    const std::vector<MessageRequest>& answeredMessages() const { return answeredMessages_; }
    const std::vector<FileDialogCall>& answeredFileDialogs() const { return answeredFileDialogs_; }
    bool answersLeft() const { return !messageAnswers_.empty() || !fileChoices_.empty(); }
    void dropPreparedAnswers() {
        messageAnswers_.clear();
        fileChoices_.clear();
    }

private:
    std::optional<std::string> fileDialog(bool save, const FileDialogRequest& request);

    QObject uiThread_;  // posted tasks and timers run in its thread, and die with it
    SoundPlayer sounds_;
    QPointer<QWidget> dialogParent_;
    std::deque<MessageAnswer> messageAnswers_;
    std::deque<std::optional<std::string>> fileChoices_;
    std::vector<MessageRequest> answeredMessages_;
    std::vector<FileDialogCall> answeredFileDialogs_;
};

// Room a window manager's title bar takes besides the caption: icon, buttons, margins.
inline constexpr int kTitleBarExtras = 140;

// The dialogs as shown, built apart from showing them. A message box is at least as wide
// as its caption with the title bar around it.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest& request, QWidget* parent);
std::unique_ptr<QFileDialog> MakeFileDialog(bool save, const FileDialogRequest& request, QWidget* parent);

}  // namespace sanxing
