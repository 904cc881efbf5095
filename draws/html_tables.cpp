#include "draws/html_tables.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "draws/html_walk.h"
#include "net/page_text.h"

namespace sanxing {

namespace {

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

std::string_view Name(const xmlNode* node) {
    return node->type == XML_ELEMENT_NODE && node->name ? std::string_view(reinterpret_cast<const char*>(node->name))
                                                        : std::string_view();
}

bool IsSkipped(std::string_view name) {
    for (std::string_view skipped : {"head", "script", "style", "noscript", "template", "select", "textarea"}) {
        if (name == skipped) return true;
    }
    return false;
}

// Collects the rows while the tree is walked.
class RowCollector {
public:
    std::string run(xmlNode* root) {
        WalkHtmlTree(
            root, [this](const xmlNode* node) { return enter(node); }, [this](const xmlNode* node) { leave(node); },
            [] { return false; });
        endRow();
        return std::move(text_);
    }

private:
    bool enter(const xmlNode* node) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            if (inCell_ && node->content != nullptr) addText(reinterpret_cast<const char*>(node->content));
            return false;
        }
        if (node->type == XML_DOCUMENT_NODE || node->type == XML_HTML_DOCUMENT_NODE) return true;
        const std::string_view name = Name(node);
        if (name.empty() || IsSkipped(name)) return false;
        if (name == "tr") endRow();
        if (name == "td" || name == "th") {
            closeCell();
            row_ += cells_++ > 0 ? "\t\"" : "\"";
            inCell_ = true;
            space_ = false;
        }
        if (name == "br") space_ = true;
        return true;
    }

    void leave(const xmlNode* node) {
        const std::string_view name = Name(node);
        if (name == "td" || name == "th") closeCell();
        if (name == "tr" || name == "table") endRow();
    }

    void closeCell() {
        if (inCell_) row_ += '"';
        inCell_ = false;
    }

    // White space runs become one space between words of a cell.
    void addText(std::string_view raw) {
        for (const char c : raw) {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
                space_ = true;
                continue;
            }
            if (space_ && row_.back() != '"') row_ += ' ';
            space_ = false;
            row_ += c;
            if (c == '"') row_ += '"';
            hasText_ = true;
        }
    }

    void endRow() {
        closeCell();
        if (hasText_) {
            text_ += row_;
            text_ += '\n';
        }
        row_.clear();
        cells_ = 0;
        hasText_ = inCell_ = space_ = false;
    }

    std::string text_;
    std::string row_;
    std::size_t cells_ = 0;
    bool hasText_ = false;
    bool inCell_ = false;
    bool space_ = false;
};

}  // namespace

std::string HtmlTableText(std::string_view html) {
    if (html.size() > kMaxTableHtmlBytes) return {};
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
    const std::string text = RepairUtf8(html.substr(0, html.find('\0')));
    const int options =
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET | HTML_PARSE_NOIMPLIED;
    std::unique_ptr<xmlDoc, DocFree> doc(
        htmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8", options));
    if (!doc) return {};
    return RowCollector().run(reinterpret_cast<xmlNode*>(doc.get()));
}

}  // namespace sanxing
