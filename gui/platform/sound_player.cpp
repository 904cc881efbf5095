#include "gui/platform/sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace sanxing {

namespace {

std::uint32_t ReadLe(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

bool HasTag(const std::vector<std::uint8_t>& bytes, std::size_t at, const char* tag) {
    return at + 4 <= bytes.size() && std::equal(tag, tag + 4, bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

QAudioFormat::SampleFormat SampleFormatOf(int bits) {
    switch (bits) {
        case 8: return QAudioFormat::UInt8;
        case 16: return QAudioFormat::Int16;
        case 32: return QAudioFormat::Int32;
        default: return QAudioFormat::Unknown;
    }
}

// The default audio output, or a null device. The lookup's complaints on a machine
// without sound (no sound server) are not the user's concern: they are kept quiet.
QAudioDevice QuietDefaultOutput() {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    qInstallMessageHandler(previous);
    return device;
}

}  // namespace

std::optional<WavClip> ParseWav(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 12 || !HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE")) return std::nullopt;
    WavClip clip;
    bool haveFormat = false;
    // Chunks: a 4-byte tag, a 4-byte length, the data padded to an even length.
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::size_t length = ReadLe(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (length > bytes.size() - body) return std::nullopt;  // runs past the end
        if (HasTag(bytes, at, "fmt ")) {
            if (length < 16 || ReadLe(bytes, body, 2) != 1) return std::nullopt;  // PCM only
            clip.channels = static_cast<int>(ReadLe(bytes, body + 2, 2));
            clip.sampleRate = static_cast<int>(ReadLe(bytes, body + 4, 4));
            clip.bitsPerSample = static_cast<int>(ReadLe(bytes, body + 14, 2));
            haveFormat = true;
        } else if (HasTag(bytes, at, "data")) {
            if (!haveFormat) return std::nullopt;
            clip.samples =
                QByteArray(reinterpret_cast<const char*>(bytes.data() + body), static_cast<qsizetype>(length));
            const bool playable = clip.channels >= 1 && clip.channels <= 8 && clip.sampleRate >= 1000 &&
                                  clip.sampleRate <= 192000 &&
                                  SampleFormatOf(clip.bitsPerSample) != QAudioFormat::Unknown;
            return playable ? std::optional(std::move(clip)) : std::nullopt;
        }
        at = body + length + (length & 1);
    }
    return std::nullopt;
}

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() { stop(); }

bool SoundPlayer::hasOutput() {
    if (!hasOutput_) hasOutput_ = !QuietDefaultOutput().isNull();
    return *hasOutput_;
}

void SoundPlayer::play(int index) {
    stop();
    if (clips_ == nullptr || index < 0 || static_cast<std::size_t>(index) >= clips_->size()) return;
    if (!hasOutput()) return;
    std::optional<WavClip> clip = ParseWav((*clips_)[static_cast<std::size_t>(index)]);
    if (!clip) return;
    QAudioFormat format;
    format.setSampleRate(clip->sampleRate);
    format.setChannelCount(clip->channels);
    format.setSampleFormat(SampleFormatOf(clip->bitsPerSample));
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!device.isFormatSupported(format)) return;
    buffer_ = std::make_unique<QBuffer>();
    buffer_->setData(clip->samples);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(buffer_.get());
}

void SoundPlayer::stop() {
    if (sink_) sink_->stop();
    sink_.reset();
    buffer_.reset();
}

}  // namespace sanxing
