#pragma once
// The headless window with platform services that answer from queues and record every
// message box, dialog and clipboard text, plus temporary folders on disk.

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/window_model.h"
#include "runtime/loop_platform.h"
#include "runtime/platform.h"
#include "runtime/temp_folder.h"

namespace sanxing {

struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
    bool operator==(const Message&) const = default;
};

class RecordingPlatform final : public testing::LoopPlatform {
public:
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> chosenPaths;  // for either dialog; empty: cancelled
    std::vector<Message> messages;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::vector<std::string> clipboard;
    std::string folder = "/opt/sanxing";

    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next();
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next();
    }
    void setClipboardText(const std::string& text) override { clipboard.push_back(text); }
    std::string programDirectory() override { return folder; }

private:
    std::optional<std::string> next() {
        if (chosenPaths.empty()) return std::nullopt;
        std::optional<std::string> path = chosenPaths.front();
        chosenPaths.pop_front();
        return path;
    }
};

class ToolsTest : public ::testing::Test {
protected:
    RecordingPlatform platform;
    WindowModel window{platform};
    Controls& c = window.controls();

    void set(std::string_view name, std::string text) { c.setText(name, std::move(text)); }
    const std::string& text(std::string_view name) const { return window.controls().text(name); }
};

}  // namespace sanxing
