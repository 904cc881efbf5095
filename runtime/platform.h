#pragma once
// What handlers ask of the platform: message boxes, file dialogs, the clipboard and
// the program's own folder. The window implements it over Qt; the command line and the
// tests script it.

#include <optional>
#include <string>

namespace sanxing {

enum class MessageIcon { None, Information, Error, Question, Warning };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

const char* IconName(MessageIcon icon);
const char* AnswerName(MessageAnswer answer);

struct FileDialogRequest {
    std::string title;
    std::string filter;      // "label|pattern|label|pattern..."
    std::string directory;   // starting directory; empty for the system default
    std::string fileName;    // offered file name or path
};

class Platform {
public:
    virtual ~Platform() = default;
    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    virtual std::string programDirectory() = 0;
};

}  // namespace sanxing
