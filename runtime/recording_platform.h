#pragma once
// Platform services for running without a display, shared by the command line and the
// tests: question boxes and file dialogs are answered from queues filled beforehand, and
// every message, dialog, clipboard text and sound is recorded. Work posted to the UI
// thread and timers wait in a manual loop that the owner runs (see manual_loop.h).

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "runtime/manual_loop.h"
#include "runtime/platform.h"

namespace sanxing {

struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer answer = MessageAnswer::Ok;  // of a question: the next queued answer, else No
    bool operator==(const RecordedMessage&) const = default;
};

class RecordingPlatform final : public Platform {
public:
    explicit RecordingPlatform(std::string programDirectory = {}) : folder(std::move(programDirectory)) {}

    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void reportFailure(const std::string& text, const std::string& caption) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void setClipboardText(const std::string& text) override { clipboard.push_back(text); }
    std::string programDirectory() override { return folder; }
    void postToUiThread(std::function<void()> task) override { loop.post(std::move(task)); }
    void startTimer(std::chrono::milliseconds delay, std::function<void()> task) override {
        loop.startTimer(delay, std::move(task));
    }
    void playSound(std::string_view clip) override;
    void stopSounds() override;

    // The script: answers of question boxes (none left: No) and the paths the dialogs
    // return (none left, or nothing: cancelled), each taken in order.
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> openPaths, savePaths;
    std::string folder;  // what programDirectory() gives

    // The record.
    std::vector<RecordedMessage> messages;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::vector<std::string> clipboard;
    std::vector<std::string> sounds;    // the clips played, in order
    std::vector<std::string> soundLog;  // every clip and stop with its time on the loop: "760:0", "0:stop"
    bool failed = false;                // whether any action reported a failure
    ManualLoop loop;
};

}  // namespace sanxing
