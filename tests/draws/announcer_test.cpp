// Speaking a draw number: the jingle, then each digit one step apart, on timers.

#include "draws/announcer.h"

#include <gtest/gtest.h>

#include "runtime/loop_platform.h"

namespace sanxing {
namespace {

using namespace std::chrono_literals;

// Records each clip with the virtual time it started at, and each cut-off.
class TimedSoundPlatform final : public testing::LoopPlatform {
public:
    void playSound(std::string_view clip) override { played.push_back(At() + std::string(clip)); }
    void stopSounds() override { played.push_back(At() + "stop"); }

    std::vector<std::string> played;

private:
    std::string At() const { return std::to_string(loop.now().count()) + ":"; }
};

using Clips = std::vector<std::string>;

TEST(Announcer, JingleThenOneDigitPerStep) {
    TimedSoundPlatform platform;
    Announcer announcer(platform);
    announcer.announce(true, "01234", 380ms);
    EXPECT_EQ(platform.played, Clips{"0:jingle"});  // the rest waits for its timers
    platform.loop.runTimers();
    EXPECT_EQ(platform.played, (Clips{"0:jingle", "760:0", "1140:1", "1520:2", "1900:3", "2280:4"}));
}

TEST(Announcer, WithoutJingleAndWithOtherCharacters) {
    TimedSoundPlatform platform;
    Announcer announcer(platform);
    announcer.announce(false, "9-8", 100ms);
    platform.loop.runTimers();
    // A character that is no digit is a silent step.
    EXPECT_EQ(platform.played, (Clips{"200:9", "400:8"}));
    announcer.announce(false, "", 100ms);
    platform.loop.runTimers();
    EXPECT_EQ(platform.played.size(), 2u);
}

TEST(Announcer, ANewAnnouncementCutsOffTheOneStillGoing) {
    TimedSoundPlatform platform;
    Announcer announcer(platform);
    announcer.announce(true, "11111", 380ms);
    platform.played.clear();
    announcer.announce(true, "22", 380ms);
    platform.loop.runTimers();
    EXPECT_EQ(platform.played, (Clips{"0:stop", "0:jingle", "760:2", "1140:2"}));
}

TEST(Announcer, NothingIsSpokenOnceTheAnnouncerIsGone) {
    TimedSoundPlatform platform;
    {
        Announcer announcer(platform);
        announcer.announce(true, "123", 380ms);
    }
    platform.loop.runTimers();
    EXPECT_EQ(platform.played, (Clips{"0:jingle", "0:stop"}));
}

TEST(Announcer, ClipTableOrder) {
    EXPECT_EQ(SoundClipIndex("jingle"), 0);
    EXPECT_EQ(SoundClipIndex("0"), 1);
    EXPECT_EQ(SoundClipIndex("9"), 10);
    EXPECT_EQ(SoundClipIndex("10"), -1);
}

}  // namespace
}  // namespace sanxing
