#pragma once
// What an import would do, before anything is stored: the input read through the same
// reader as the import (columns detected or given), its first lines as fields, and how
// many lines give a draw and which will be refused, and why. Nothing is written.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/draw_import.h"

namespace sanxing::history {

// Lines shown as a table, and refused lines listed, in a preview.
inline constexpr std::size_t kPreviewLines = 20;
inline constexpr std::size_t kPreviewRefusals = 5;

struct PreviewLine {
    std::size_t number = 0;
    std::vector<std::string> fields;
    ParsedLine::Kind kind = ParsedLine::Kind::Blank;
    std::string reason;  // why a refused line is refused
};

struct ImportPreview {
    Detection detection;  // the columns (detected or given), the header, a better lottery
    std::string problem;  // "无法识别期号和号码所在的列…" when no columns were found
    std::vector<PreviewLine> firstLines;
    std::size_t width = 0;  // the most fields of a first line
    std::size_t lines = 0;
    std::size_t draws = 0;
    std::size_t refused = 0;
    std::vector<ImportRejection> refusals;  // the first kPreviewRefusals
};

// Fails like ImportDrawFile for input that cannot be read at all (binary, a folder, ...).
Result<ImportPreview> PreviewDrawFile(const std::filesystem::path& file, const Lottery& lottery,
                                      const std::optional<ColumnMap>& columns = std::nullopt,
                                      const std::atomic<bool>* cancel = nullptr);
// The same for a draw file already opened (OpenImportFile), from its start.
Result<ImportPreview> PreviewDrawFile(const std::filesystem::path& file, std::FILE* input, const Lottery& lottery,
                                      const std::optional<ColumnMap>& columns = std::nullopt,
                                      const std::atomic<bool>* cancel = nullptr);
Result<ImportPreview> PreviewDrawText(std::string_view text, std::string_view source, const Lottery& lottery,
                                      const std::optional<ColumnMap>& columns = std::nullopt,
                                      const std::atomic<bool>* cancel = nullptr);

// "共 120 行，找到 118 期开奖号码，2 行将被拒绝".
std::string PreviewSummary(const ImportPreview& preview);

// "这些开奖号码是 3 位数，像是福彩3D的；重庆时时彩的号码是 5 位。": the draws fit `better`,
// not the chosen lottery (a preview's or an import's Detection::better).
std::string OtherLotteryNotice(const Lottery& better, const Lottery& chosen);

}  // namespace sanxing::history
