#pragma once
// The headless window over the recording platform, plus temporary folders on disk.

#include <gtest/gtest.h>

#include <string>

#include "app/window_model.h"
#include "runtime/recording_platform.h"
#include "runtime/temp_folder.h"

namespace sanxing {

class ToolsTest : public ::testing::Test {
protected:
    RecordingPlatform platform{"/opt/sanxing"};
    WindowModel window{platform};
    Controls& c = window.controls();

    void set(std::string_view name, std::string text) { c.setText(name, std::move(text)); }
    const std::string& text(std::string_view name) const { return window.controls().text(name); }
};

}  // namespace sanxing
