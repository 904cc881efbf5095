#pragma once
// Importing draws into the history, for the window and the CLI alike: the input (a file,
// opened and checked once; the clipboard's table or text; standard input), its preview
// (nothing stored) and its import on a connection of its own.

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "history/draw_import.h"
#include "history/draw_preview.h"
#include "runtime/result.h"
#include "services/history_session.h"

namespace sanxing {

// What is imported: a draw file held open from its check on, text in memory, or standard
// input. Copies share the input; one job at a time may read it.
class ImportSource {
public:
    // Opens `file` for an import; fails with the reason (nothing else is opened then).
    static Result<ImportSource> File(const std::filesystem::path& file);
    // The clipboard: its HTML table (as a browser copies a results page), else its text;
    // fails when neither holds anything.
    static Result<ImportSource> Clipboard(const std::string& html, const std::string& text);
    static ImportSource Text(std::string text, std::string name);
    // Standard input, named "标准输入".
    static ImportSource StandardInput();

    // Shown in messages; text also stores it as its draws' source.
    const std::string& name() const { return name_; }

private:
    friend Result<history::ImportPreview> PreviewImport(const ImportSource&, const history::Lottery&,
                                                        const std::optional<history::ColumnMap>&,
                                                        const std::atomic<bool>*);
    friend Result<history::ImportReport> ImportDraws(HistorySession&, const ImportSource&, const history::Lottery&,
                                                     const history::ImportOptions&);

    std::string name_;
    std::filesystem::path file_;
    std::shared_ptr<std::FILE> input_;  // a file's (closed with the last copy), or standard input
    std::shared_ptr<const std::string> text_;
};

// What the import of `source` into `lottery` would do; nothing is written. `cancel` stops
// it at the next chunk.
Result<history::ImportPreview> PreviewImport(const ImportSource& source, const history::Lottery& lottery,
                                             const std::optional<history::ColumnMap>& columns = std::nullopt,
                                             const std::atomic<bool>* cancel = nullptr);

// Imports `source` into `lottery` over a connection of its own to the session's file, so
// that reads on the shared one never wait for it. An import that stores nothing leaves no
// history behind that the session created for it (HistorySession::forgetIfCreatedEmpty).
Result<history::ImportReport> ImportDraws(HistorySession& session, const ImportSource& source,
                                          const history::Lottery& lottery, const history::ImportOptions& options);

}  // namespace sanxing
