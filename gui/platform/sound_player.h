#pragma once
// Plays the built-in sound clips (complete WAV files held in memory) through the default
// audio output, one at a time: a new clip cuts off the one still sounding. Without an
// audio device, or for a clip it cannot read, it plays nothing and says nothing.

#include <QByteArray>
#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAudioSink;
class QBuffer;

namespace sanxing {

// The PCM samples of a WAV file and how to play them.
struct WavClip {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;  // 8, 16 or 32
    QByteArray samples;
};

// Reads an uncompressed PCM WAV file; nothing for anything else.
std::optional<WavClip> ParseWav(const std::vector<std::uint8_t>& bytes);

class SoundPlayer final : public QObject {
public:
    using Clips = std::vector<std::vector<std::uint8_t>>;

    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // The clip table, in the order of the clip indexes; must outlive the player.
    void setClips(const Clips* clips) { clips_ = clips; }

    void play(int index);
    void stop();
    bool playing() const { return sink_ != nullptr; }

    // Whether an audio output exists (looked up once, at the first clip played).
    bool hasOutput();

private:
    const Clips* clips_ = nullptr;
    std::optional<bool> hasOutput_;
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QBuffer> buffer_;
};

}  // namespace sanxing
