#pragma once
// What handlers ask of the platform: message boxes, file dialogs, the clipboard, the
// program's own folder, the UI thread's task queue and timers, and sound. The window
// implements it over Qt; the command line and the tests script it.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sanxing {

enum class MessageIcon { None, Information, Error, Question, Warning };
// A question whose 是 loses data (deletes, clears, overwrites) asks with YesNoDefaultNo,
// so that a hasty Return keeps the data.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

const char* IconName(MessageIcon icon);
const char* AnswerName(MessageAnswer answer);

constexpr bool AsksYesNo(MessageButtons buttons) { return buttons != MessageButtons::Ok; }

struct FileDialogRequest {
    std::string title;
    std::string filter;     // "label|pattern|label|pattern..."
    std::string directory;  // starting directory; empty for the system default
    std::string fileName;   // offered file name or path
};

class Platform {
public:
    virtual ~Platform() = default;
    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                     MessageButtons buttons) = 0;
    // Tells that an action failed (a save, an import): an error box with an OK button.
    // The command line also ends with exit status 1 after one.
    virtual void reportFailure(const std::string& text, const std::string& caption) {
        messageBox(text, caption, MessageIcon::Error, MessageButtons::Ok);
    }
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
    // Several existing files at once; none when cancelled. Without such a dialog, one file.
    virtual std::vector<std::string> openFilesDialog(const FileDialogRequest& request) {
        std::optional<std::string> one = openFileDialog(request);
        return one ? std::vector<std::string>{std::move(*one)} : std::vector<std::string>{};
    }
    virtual void setClipboardText(const std::string& text) = 0;
    virtual std::string programDirectory() = 0;

    // Runs `task` on the UI thread, after what is already queued there. Safe to call from
    // any thread; the only platform call a worker thread may make.
    virtual void postToUiThread(std::function<void()> task) = 0;
    // Runs `task` once on the UI thread after `delay`, without blocking the caller.
    virtual void startTimer(std::chrono::milliseconds delay, std::function<void()> task) = 0;

    // Starts one of the built-in sound clips by name ("jingle", "0" to "9"), cutting off
    // the one still sounding. A platform without sound plays nothing and says nothing.
    virtual void playSound(std::string_view /*clip*/) {}
    virtual void stopSounds() {}
};

}  // namespace sanxing
