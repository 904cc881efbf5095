#pragma once
// The window's skin: a style sheet and the images it refers to, carried in the program
// as the Qt resources under ":/skin". It colours and frames the controls and keeps their
// compact sizes, so the dense pages keep their layout.

#include <QString>

class QWidget;

namespace sanxing {

inline constexpr const char* kSkinStyleSheetPath = ":/skin/skin.qss";

// The style sheet at `path`; empty when it cannot be read.
QString ReadSkinStyleSheet(const QString& path = QString::fromLatin1(kSkinStyleSheetPath));

// The attach step, first in the window's creation handler: gives `window` and its
// children the style sheet at `path`. Nothing changes when it cannot be read: the
// window keeps the look it has, silently.
void AttachSkin(QWidget& window, const QString& path = QString::fromLatin1(kSkinStyleSheetPath));

}  // namespace sanxing
