#pragma once
// The folder one kind of file (draw files, exports, ...) was last opened from or saved to,
// kept in the settings under its key: where the next file dialog of that kind starts.
// Before any is kept, the dialog starts in the home folder. Every RememberedFolder of one
// key reads and writes the same setting, so the dialogs that export share their folder.

#include <QString>
#include <string>

namespace sanxing {

class WindowSettings;

// The keys of the kinds of file kept here.
inline constexpr char kDrawFilesFolder[] = "folders/draws";  // import and export of draws
inline constexpr char kExportsFolder[] = "folders/export";   // the analyses' CSV and PNG
inline constexpr char kSchemesFolder[] = "folders/scheme";   // 方案

class RememberedFolder {
public:
    // Without settings the folder is kept by this object only.
    RememberedFolder(WindowSettings* settings, const char* key);

    // Where a file dialog of this kind starts.
    std::string start() const;
    // Keeps the folder of a file the user chose.
    void rememberFolderOf(const std::string& file);

private:
    WindowSettings* settings_;
    QString key_;
    QString folder_;  // without settings
};

}  // namespace sanxing
