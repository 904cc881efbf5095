#include "draws/announcer.h"

namespace sanxing {

int SoundClipIndex(std::string_view clip) {
    for (std::size_t i = 0; i < kSoundClipNames.size(); ++i) {
        if (kSoundClipNames[i] == clip) return static_cast<int>(i);
    }
    return -1;
}

void Announcer::announce(bool withJingle, std::string_view text, std::chrono::milliseconds step) {
    stop();
    current_ = std::make_shared<Sequence>(Sequence{std::string(text), 0});
    if (withJingle) platform_.playSound(kJingleClip);
    // The pause after the jingle; each digit then waits one more step.
    auto sequence = current_;
    platform_.startTimer(step, [this, weak = std::weak_ptr(sequence), step] {
        if (auto s = weak.lock()) scheduleNext(s, step);
    });
}

void Announcer::stop() {
    if (!current_) return;
    current_.reset();
    platform_.stopSounds();
}

void Announcer::scheduleNext(const std::shared_ptr<Sequence>& sequence, std::chrono::milliseconds step) {
    if (sequence->next >= sequence->text.size()) {
        if (current_ == sequence) current_.reset();  // done; a later stop() has nothing to cut
        return;
    }
    platform_.startTimer(step, [this, weak = std::weak_ptr(sequence), step] {
        if (auto s = weak.lock()) speakNext(s, step);
    });
}

void Announcer::speakNext(const std::shared_ptr<Sequence>& sequence, std::chrono::milliseconds step) {
    const char c = sequence->text[sequence->next++];
    if (c >= '0' && c <= '9') platform_.playSound(kSoundClipNames[static_cast<std::size_t>(c - '0') + 1]);
    scheduleNext(sequence, step);
}

}  // namespace sanxing
