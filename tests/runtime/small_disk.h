#pragma once
// A full disk in the tests: a tmpfs of a few KB, mounted for one child process only.

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <string>

#include "runtime/time_limits.h"

namespace sanxing {

// Runs `check` in a child process with a tmpfs of `bytes` mounted at `mountPoint` (in a
// mount namespace of its own, so the mount goes with the child). Skips the test where the
// machine allows no mount.
template <typename Check>
void WithSmallDisk(const std::string& mountPoint, std::size_t bytes, Check check) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int namespaces = ::geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS;
        const std::string size = "size=" + std::to_string(bytes);
        if (::unshare(namespaces) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, size.c_str()) != 0) {
            ::_exit(77);
        }
        check();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    const int status = WaitForChild(child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "this machine allows no tmpfs mount";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
}

}  // namespace sanxing
