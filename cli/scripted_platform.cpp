#include "cli/scripted_platform.h"

namespace sanxing {

namespace {

template <typename T>
std::optional<T> TakeFront(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

MessageAnswer ScriptedPlatform::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                           MessageButtons buttons) {
    MessageAnswer answer = MessageAnswer::Ok;
    if (buttons == MessageButtons::YesNo) answer = TakeFront(answers_).value_or(MessageAnswer::No);
    messages_.push_back({caption, text, icon, answer});
    return answer;
}

void ScriptedPlatform::reportFailure(const std::string& text, const std::string& caption) {
    failed_ = true;
    Platform::reportFailure(text, caption);
}

std::optional<std::string> ScriptedPlatform::openFileDialog(const FileDialogRequest& request) {
    std::optional<std::string> chosen = TakeFront(openPaths_);
    dialogs_.push_back({false, request, chosen});
    return chosen;
}

std::optional<std::string> ScriptedPlatform::saveFileDialog(const FileDialogRequest& request) {
    std::optional<std::string> chosen = TakeFront(savePaths_);
    dialogs_.push_back({true, request, chosen});
    return chosen;
}

}  // namespace sanxing
