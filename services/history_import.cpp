#include "services/history_import.h"

#include "draws/html_tables.h"

namespace sanxing {

namespace {

// What standard input is called in messages and as the stored draws' source.
constexpr const char* kStandardInput = "标准输入";
constexpr const char* kClipboard = "剪贴板";

}  // namespace

Result<ImportSource> ImportSource::File(const std::filesystem::path& file) {
    auto opened = history::OpenImportFile(file);
    if (!opened) return opened.failure();
    ImportSource source;
    source.name_ = file.string();
    source.file_ = file;
    source.input_ = std::shared_ptr<std::FILE>(std::move(*opened));
    return source;
}

Result<ImportSource> ImportSource::Clipboard(const std::string& html, const std::string& text) {
    // A table copied from a page, else whatever text there is.
    std::string content = HtmlTableText(html);
    if (content.empty()) content = text;
    if (content.find_first_not_of(" \t\r\n") == std::string::npos) {
        return Failure{"剪贴板中没有表格或文字。请在开奖结果页上选中表格并复制，再来导入。", ErrorCode::BadInput};
    }
    return Text(std::move(content), kClipboard);
}

ImportSource ImportSource::Text(std::string text, std::string name) {
    ImportSource source;
    source.name_ = std::move(name);
    source.text_ = std::make_shared<const std::string>(std::move(text));
    return source;
}

ImportSource ImportSource::StandardInput() {
    ImportSource source;
    source.name_ = kStandardInput;
    source.input_ = std::shared_ptr<std::FILE>(stdin, [](std::FILE*) {});
    return source;
}

Result<history::ImportPreview> PreviewImport(const ImportSource& source, const history::Lottery& lottery,
                                             const std::optional<history::ColumnMap>& columns,
                                             const std::atomic<bool>* cancel) {
    if (source.text_) return history::PreviewDrawText(*source.text_, source.name_, lottery, columns, cancel);
    return history::PreviewDrawFile(source.file_, source.input_.get(), lottery, columns, cancel);
}

Result<history::ImportReport> ImportDraws(HistorySession& session, const ImportSource& source,
                                          const history::Lottery& lottery, const history::ImportOptions& options) {
    Result<history::ImportReport> report = [&]() -> Result<history::ImportReport> {
        auto db = session.ownConnection();  // closed before the session may forget the file
        if (!db) return db.failure();
        if (source.text_) return history::ImportDrawText(*db, lottery, *source.text_, source.name_, options);
        if (source.file_.empty())
            return history::ImportDrawStream(*db, lottery, source.input_.get(), source.name_, options);
        return history::ImportDrawFile(*db, lottery, source.file_, source.input_.get(), options);
    }();
    if (!report || report->stored + report->replacedCount() == 0) session.forgetIfCreatedEmpty();
    return report;
}

}  // namespace sanxing
