#pragma once
// Platform services for running without a display: question boxes and file dialogs are
// answered from queues filled by the command line, and every message, clipboard text and
// sound is recorded. Work posted to the UI thread and timers wait in a manual loop that
// the command line runs between its steps.

#include <deque>
#include <string>
#include <vector>

#include "runtime/manual_loop.h"
#include "runtime/platform.h"

namespace sanxing {

struct RecordedMessage {
    std::string caption;
    std::string text;
    MessageIcon icon;
    MessageAnswer answer;
};

struct RecordedDialog {
    bool save;
    FileDialogRequest request;
    std::optional<std::string> chosen;
};

class ScriptedPlatform final : public Platform {
public:
    explicit ScriptedPlatform(std::string programDirectory) : programDirectory_(std::move(programDirectory)) {}

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void queueOpenPath(std::string path) { openPaths_.push_back(std::move(path)); }
    void queueSavePath(std::string path) { savePaths_.push_back(std::move(path)); }

    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void reportFailure(const std::string& text, const std::string& caption) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void setClipboardText(const std::string& text) override { clipboard_.push_back(text); }
    std::string programDirectory() override { return programDirectory_; }
    void postToUiThread(std::function<void()> task) override { loop_.post(std::move(task)); }
    void startTimer(std::chrono::milliseconds delay, std::function<void()> task) override {
        loop_.startTimer(delay, std::move(task));
    }
    void playSound(std::string_view clip) override { sounds_.emplace_back(clip); }

    ManualLoop& loop() { return loop_; }

    const std::vector<RecordedMessage>& messages() const { return messages_; }
    // Whether any step reported a failure.
    bool failed() const { return failed_; }
    const std::vector<std::string>& clipboard() const { return clipboard_; }
    const std::vector<RecordedDialog>& dialogs() const { return dialogs_; }
    // The clips played, in order.
    const std::vector<std::string>& sounds() const { return sounds_; }

private:
    std::string programDirectory_;
    std::deque<MessageAnswer> answers_;
    std::deque<std::string> openPaths_;
    std::deque<std::string> savePaths_;
    std::vector<RecordedMessage> messages_;
    std::vector<std::string> clipboard_;
    std::vector<RecordedDialog> dialogs_;
    std::vector<std::string> sounds_;
    ManualLoop loop_;
    bool failed_ = false;
};

}  // namespace sanxing
