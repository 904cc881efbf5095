// Speaking a draw number: the jingle, then each digit one step apart, on timers.

#include "draws/announcer.h"

#include <gtest/gtest.h>

#include "runtime/recording_platform.h"

namespace sanxing {
namespace {

using namespace std::chrono_literals;

// The sound log: each clip with the virtual time it started at, and each cut-off.
using Clips = std::vector<std::string>;

TEST(Announcer, JingleThenOneDigitPerStep) {
    RecordingPlatform platform;
    Announcer announcer(platform);
    announcer.announce(true, "01234", 380ms);
    EXPECT_EQ(platform.soundLog, Clips{"0:jingle"});  // the rest waits for its timers
    platform.loop.runTimers();
    EXPECT_EQ(platform.soundLog, (Clips{"0:jingle", "760:0", "1140:1", "1520:2", "1900:3", "2280:4"}));
}

TEST(Announcer, WithoutJingleAndWithOtherCharacters) {
    RecordingPlatform platform;
    Announcer announcer(platform);
    announcer.announce(false, "9-8", 100ms);
    platform.loop.runTimers();
    // A character that is no digit is a silent step.
    EXPECT_EQ(platform.soundLog, (Clips{"200:9", "400:8"}));
    announcer.announce(false, "", 100ms);
    platform.loop.runTimers();
    EXPECT_EQ(platform.soundLog.size(), 2u);
}

TEST(Announcer, ANewAnnouncementCutsOffTheOneStillGoing) {
    RecordingPlatform platform;
    Announcer announcer(platform);
    announcer.announce(true, "11111", 380ms);
    platform.soundLog.clear();
    announcer.announce(true, "22", 380ms);
    platform.loop.runTimers();
    EXPECT_EQ(platform.soundLog, (Clips{"0:stop", "0:jingle", "760:2", "1140:2"}));
}

TEST(Announcer, NothingIsSpokenOnceTheAnnouncerIsGone) {
    RecordingPlatform platform;
    {
        Announcer announcer(platform);
        announcer.announce(true, "123", 380ms);
    }
    platform.loop.runTimers();
    EXPECT_EQ(platform.soundLog, (Clips{"0:jingle", "0:stop"}));
}

TEST(Announcer, ClipTableOrder) {
    EXPECT_EQ(SoundClipIndex("jingle"), 0);
    EXPECT_EQ(SoundClipIndex("0"), 1);
    EXPECT_EQ(SoundClipIndex("9"), 10);
    EXPECT_EQ(SoundClipIndex("10"), -1);
}

}  // namespace
}  // namespace sanxing
