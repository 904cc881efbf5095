#pragma once
// Speaking a draw number: the jingle, then one clip per digit, each after a pause. The
// steps are timers of the platform, so the window stays live while it speaks; a new
// announcement cuts off the one still going.

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/platform.h"

namespace sanxing {

// The built-in sound clips in the order of the program's clip table: the jingle, then the
// digits 0 to 9.
inline constexpr std::string_view kJingleClip = "jingle";
inline constexpr std::array<std::string_view, 11> kSoundClipNames = {kJingleClip, "0", "1", "2", "3", "4",
                                                                     "5",         "6", "7", "8", "9"};
// The place of a clip in that table; -1 for an unknown name.
int SoundClipIndex(std::string_view clip);

// The pause between the steps of a draw announcement.
inline constexpr std::chrono::milliseconds kAnnounceStep{380};

class Announcer {
public:
    explicit Announcer(Platform& platform) : platform_(platform) {}
    ~Announcer() { stop(); }
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    // AnnounceNumber: the jingle (when asked for) at once; then, one step apart, a pause
    // and each character of `text` in turn: a digit plays its clip, anything else is a
    // silent step.
    void announce(bool withJingle, std::string_view text, std::chrono::milliseconds step = kAnnounceStep);
    // Cuts off the announcement still going, if any.
    void stop();

private:
    struct Sequence {
        std::string text;
        std::size_t next = 0;  // the character spoken at the next step
    };
    void scheduleNext(const std::shared_ptr<Sequence>& sequence, std::chrono::milliseconds step);
    void speakNext(const std::shared_ptr<Sequence>& sequence, std::chrono::milliseconds step);

    Platform& platform_;
    // The announcement going on. Pending steps hold it weakly: once it is replaced or the
    // announcer is gone, they do nothing.
    std::shared_ptr<Sequence> current_;
};

}  // namespace sanxing
