#pragma once
// Platform services for draw tests without a display: no dialogs, a manual UI loop (the
// test's thread runs what is posted, and the timers on a virtual clock), sounds recorded.

#include <string>
#include <vector>

#include "runtime/manual_loop.h"
#include "runtime/platform.h"

namespace sanxing::testing {

class LoopPlatform : public Platform {
public:
    MessageAnswer messageBox(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    void setClipboardText(const std::string&) override {}
    std::string programDirectory() override { return {}; }
    void postToUiThread(std::function<void()> task) override { loop.post(std::move(task)); }
    void startTimer(std::chrono::milliseconds delay, std::function<void()> task) override {
        loop.startTimer(delay, std::move(task));
    }
    void playSound(std::string_view clip) override { sounds.emplace_back(clip); }

    ManualLoop loop;
    std::vector<std::string> sounds;
};

}  // namespace sanxing::testing
