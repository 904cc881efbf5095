// Start-up step: the sound-clip table.

#include <QFile>
#include <QString>

#include "draws/announcer.h"
#include "gui/platform/process_state.h"
#include "gui/platform/startup_hooks.h"

// The resource lives in a static library: it is brought in by name.
static void InitSoundResources() { Q_INIT_RESOURCE(sounds); }

namespace sanxing {

// The built-in clips, each a complete WAV file carried as a resource, copied in the order
// of the clip table (the jingle, then the digits 0 to 9). A clip that cannot be read
// stays empty and plays nothing.
void LoadSoundClips(ProcessState& state) {
    InitSoundResources();
    state.soundClips.clear();
    for (const std::string_view name : kSoundClipNames) {
        QFile file(QStringLiteral(":/sounds/%1.wav")
                       .arg(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))));
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
        state.soundClips.emplace_back(bytes.begin(), bytes.end());
    }
}

}  // namespace sanxing
