#include "history/draw_preview.h"

#include <cerrno>
#include <memory>

namespace sanxing::history {

namespace {

class PreviewSink final : public DrawLineHandler {
public:
    PreviewSink(const Lottery& lottery, ImportPreview& preview) : lottery_(lottery), preview_(preview) {}

    bool columnsKnown(const Detection& detection, std::string_view firstLine) override {
        preview_.detection = detection;
        if (!detection.columns.complete() && detection.sampled > 0) {
            preview_.problem = UndetectedMessage(detection, firstLine, lottery_);
        }
        return true;
    }

    bool line(std::size_t number, std::span<const std::string_view> fields, ParsedLine& parsed) override {
        ++preview_.lines;
        if (parsed.kind == ParsedLine::Kind::Draw) ++preview_.draws;
        if (parsed.kind == ParsedLine::Kind::Rejected) {
            ++preview_.refused;
            if (preview_.refusals.size() < kPreviewRefusals) preview_.refusals.push_back({number, parsed.reason});
        }
        if (preview_.firstLines.size() < kPreviewLines) {
            preview_.firstLines.push_back({number, {fields.begin(), fields.end()}, parsed.kind, parsed.reason});
            preview_.width = std::max(preview_.width, fields.size());
        }
        return true;
    }

private:
    const Lottery& lottery_;
    ImportPreview& preview_;
};

template <typename Read>
Result<ImportPreview> Preview(std::string_view name, const Lottery& lottery, const std::optional<ColumnMap>& columns,
                              const std::atomic<bool>* cancel, Read read) {
    ImportPreview preview;
    PreviewSink sink(lottery, preview);
    const ReadOptions options{columns ? &*columns : nullptr, cancel};
    const ReadEnd end = read(options, sink);
    if (end != ReadEnd::Done) {
        return Failure{"无法导入“" + std::string(name) + "”：" + ReadEndReason(end, errno) + "；开奖历史未作改动"};
    }
    return preview;
}

}  // namespace

Result<ImportPreview> PreviewDrawFile(const std::filesystem::path& file, const Lottery& lottery,
                                      const std::optional<ColumnMap>& columns, const std::atomic<bool>* cancel) {
    auto input = OpenImportFile(file);
    if (!input) return input.failure();
    return PreviewDrawFile(file, input->get(), lottery, columns, cancel);
}

Result<ImportPreview> PreviewDrawFile(const std::filesystem::path& file, std::FILE* input, const Lottery& lottery,
                                      const std::optional<ColumnMap>& columns, const std::atomic<bool>* cancel) {
    std::rewind(input);
    return Preview(file.string(), lottery, columns, cancel, [&](const ReadOptions& options, DrawLineHandler& sink) {
        return ReadDrawLines(input, lottery, options, sink);
    });
}

Result<ImportPreview> PreviewDrawText(std::string_view text, std::string_view source, const Lottery& lottery,
                                      const std::optional<ColumnMap>& columns, const std::atomic<bool>* cancel) {
    return Preview(source, lottery, columns, cancel, [&](const ReadOptions& options, DrawLineHandler& sink) {
        return ReadDrawLines(text, lottery, options, sink);
    });
}

std::string PreviewSummary(const ImportPreview& preview) {
    return "共 " + std::to_string(preview.lines) + " 行，找到 " + std::to_string(preview.draws) + " 期开奖号码，" +
           std::to_string(preview.refused) + " 行将被拒绝";
}

std::string OtherLotteryNotice(const Lottery& better, const Lottery& chosen) {
    return "这些开奖号码是 " + std::to_string(better.digits) + " 位数，像是" + std::string(better.name) + "的；" +
           std::string(chosen.name) + "的号码是 " + std::to_string(chosen.digits) + " 位。";
}

}  // namespace sanxing::history
