#include "runtime/recording_platform.h"

namespace sanxing {

namespace {

template <typename T>
T TakeFront(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

MessageAnswer RecordingPlatform::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                            MessageButtons buttons) {
    MessageAnswer answer = MessageAnswer::Ok;
    if (AsksYesNo(buttons)) answer = TakeFront(answers, MessageAnswer::No);
    messages.push_back({text, caption, icon, buttons, answer});
    return answer;
}

void RecordingPlatform::reportFailure(const std::string& text, const std::string& caption) {
    failed = true;
    Platform::reportFailure(text, caption);
}

std::optional<std::string> RecordingPlatform::openFileDialog(const FileDialogRequest& request) {
    openRequests.push_back(request);
    return TakeFront(openPaths, std::optional<std::string>());
}

std::optional<std::string> RecordingPlatform::saveFileDialog(const FileDialogRequest& request) {
    saveRequests.push_back(request);
    return TakeFront(savePaths, std::optional<std::string>());
}

void RecordingPlatform::playSound(std::string_view clip) {
    sounds.emplace_back(clip);
    soundLog.push_back(std::to_string(loop.now().count()) + ":" + std::string(clip));
}

void RecordingPlatform::stopSounds() { soundLog.push_back(std::to_string(loop.now().count()) + ":stop"); }

}  // namespace sanxing
