#pragma once
// The headless window over the recording platform, temporary folders on disk, the
// program's state folder (where saves keep copies and records) in a temporary folder, and
// running a check as an unprivileged user.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/window_model.h"
#include "runtime/recording_platform.h"
#include "runtime/temp_folder.h"
#include "runtime/time_limits.h"

namespace sanxing {

// $XDG_STATE_HOME points to a fresh folder that any user may write while this lives.
class TemporaryStateFolder {
public:
    TemporaryStateFolder() {
        ::chmod(folder.path().c_str(), 01777);
        if (const char* old = std::getenv("XDG_STATE_HOME")) previous_ = old;
        ::setenv("XDG_STATE_HOME", folder.path().c_str(), 1);
    }
    ~TemporaryStateFolder() {
        if (previous_.empty()) {
            ::unsetenv("XDG_STATE_HOME");
        } else {
            ::setenv("XDG_STATE_HOME", previous_.c_str(), 1);
        }
    }
    std::string backups() const { return folder.file("sanxing/backups"); }

    TempFolder folder;

private:
    std::string previous_;
};

// The user "nobody", whom tests run as root drop to so that permissions hold for them.
inline constexpr uid_t kNobody = 65534;

// Runs `check` as an unprivileged user: directly when the tests are not run as root
// (root writes anything), else in a child process that drops to the user "nobody".
template <typename Check>
void ExpectAsUnprivilegedUser(Check check) {
    if (::geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    const int status = WaitForChild(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
}

class ToolsTest : public ::testing::Test {
protected:
    TemporaryStateFolder state;
    RecordingPlatform platform{"/opt/sanxing"};
    WindowModel window{platform};
    Controls& c = window.controls();

    void set(std::string_view name, std::string text) { c.setText(name, std::move(text)); }
    const std::string& text(std::string_view name) const { return window.controls().text(name); }
};

}  // namespace sanxing
