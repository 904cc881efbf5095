#include "draws/safe_html.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>

#include "draws/html_walk.h"
#include "net/page_text.h"

namespace sanxing {

namespace {

constexpr int kMaxIndent = 4;  // list steps of indentation
constexpr std::string_view kCutMark = "……（公告过长，以下从略）";

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

std::string_view Name(const xmlNode* node) {
    return node->name ? std::string_view(reinterpret_cast<const char*>(node->name)) : std::string_view();
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsSkipped(std::string_view name) {
    return IsOneOf(name, {"head", "script", "style", "noscript", "template", "iframe", "object", "embed", "svg", "math",
                          "select", "textarea", "button", "frameset", "frame"});
}

bool IsBlock(std::string_view name) {
    return IsOneOf(name, {"p",       "div",  "tr",    "li",      "dt",      "dd",       "blockquote", "pre", "ul",
                          "ol",      "dl",   "table", "section", "article", "header",   "footer",     "nav", "center",
                          "form",    "h1",   "h2",    "h3",      "h4",      "h5",       "h6",         "hr",  "address",
                          "caption", "body", "html",  "aside",   "main",    "fieldset", "figure"});
}

bool IsHeading(std::string_view name) { return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6'; }

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
}

// A link target worth keeping: http, https, mailto, or relative to the page.
bool IsSafeTarget(std::string_view href) {
    const std::size_t colon = href.find(':');
    const std::size_t slash = href.find_first_of("/?#");
    if (colon == std::string_view::npos || (slash != std::string_view::npos && slash < colon)) return true;
    std::string scheme(href.substr(0, colon));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
    return scheme == "http" || scheme == "https" || scheme == "mailto";
}

std::string Attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr) return {};
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

// Walks the tree (WalkHtmlTree: no recursion) and writes the flat result.
class Flattener {
public:
    std::string run(xmlNode* root) {
        WalkHtmlTree(
            root, [this](const xmlNode* node) { return enter(node); }, [this](const xmlNode* node) { leave(node); },
            [this] { return full(); });
        endBlock();
        if (full()) out_ += "<p>" + std::string(kCutMark) + "</p>\n";
        return "<html><body>\n" + out_ + "</body></html>\n";
    }

private:
    bool full() const { return textBytes_ >= kMaxSafeTextBytes || blocks_ >= kMaxSafeBlocks; }

    // False when the node has nothing to walk into (its subtree is done or left out).
    bool enter(const xmlNode* node) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            if (node->content != nullptr) text(reinterpret_cast<const char*>(node->content));
            return false;
        }
        if (node->type == XML_DOCUMENT_NODE || node->type == XML_HTML_DOCUMENT_NODE) return true;
        if (node->type != XML_ELEMENT_NODE) return false;
        const std::string_view name = Name(node);
        if (IsSkipped(name)) return false;
        if (name == "br") {
            if (!paragraph_.empty()) paragraph_ += "<br>";
            lineStart_ = true;
            return false;
        }
        if (name == "td" || name == "th") {
            if (!lineStart_) paragraph_ += "　";  // cells of a row side by side
            lineStart_ = true;
        } else if (IsBlock(name)) {
            endBlock();
            if (name == "ul" || name == "ol") ++listDepth_;
            if (name == "li") bullet_ = true;
            if (IsHeading(name)) ++heading_;
        }
        if (name == "b" || name == "strong") ++bold_;
        if (name == "i" || name == "em") ++italic_;
        if (name == "u") ++underline_;
        if (name == "a" && ++link_ == 1) {
            href_ = Attribute(node, "href");
            if (!IsSafeTarget(href_)) href_.clear();
        }
        return true;
    }

    void leave(const xmlNode* node) {
        if (node->type != XML_ELEMENT_NODE) return;
        const std::string_view name = Name(node);
        if (name == "b" || name == "strong") --bold_;
        if (name == "i" || name == "em") --italic_;
        if (name == "u") --underline_;
        if (name == "a" && --link_ == 0) href_.clear();
        if (IsBlock(name)) {
            endBlock();
            if (name == "ul" || name == "ol") --listDepth_;
            if (IsHeading(name)) --heading_;
        }
    }

    // Runs of white space become one space; none at the start of a line.
    void text(std::string_view raw) {
        std::string collapsed;
        for (const char c : raw) {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
                if (!lineStart_ && !lastSpace_) collapsed += ' ';
                lastSpace_ = true;
                continue;
            }
            collapsed += c;
            lineStart_ = lastSpace_ = false;
        }
        if (collapsed.empty()) return;
        const std::size_t room = kMaxSafeTextBytes - std::min(textBytes_, kMaxSafeTextBytes);
        if (collapsed.size() > room) collapsed = RepairUtf8(std::string_view(collapsed).substr(0, room));
        textBytes_ += collapsed.size();
        if (paragraph_.empty() && bullet_) {
            indent_ = std::min(listDepth_, kMaxIndent);
            paragraph_ += "• ";
        }
        std::string run;
        AppendEscaped(run, collapsed);
        if (bold_ > 0) run = "<b>" + run + "</b>";
        if (italic_ > 0) run = "<i>" + run + "</i>";
        if (underline_ > 0) run = "<u>" + run + "</u>";
        if (link_ > 0 && !href_.empty()) {
            std::string anchor = "<a href=\"";
            AppendEscaped(anchor, href_);
            run = anchor + "\">" + run + "</a>";
        }
        paragraph_ += run;
    }

    void endBlock() {
        if (!paragraph_.empty()) {
            const char* tag = heading_ > 0 ? "h3" : "p";
            out_ += std::string("<") + tag;
            if (indent_ > 0) out_ += " style=\"margin-left:" + std::to_string(indent_ * 16) + "px\"";
            out_ += ">" + paragraph_ + "</" + tag + ">\n";
            ++blocks_;
        }
        paragraph_.clear();
        bullet_ = false;
        indent_ = 0;
        lineStart_ = true;
        lastSpace_ = false;
    }

    std::string out_;
    std::string paragraph_;
    std::string href_;
    std::size_t textBytes_ = 0;
    std::size_t blocks_ = 0;
    int bold_ = 0, italic_ = 0, underline_ = 0, link_ = 0, heading_ = 0, listDepth_ = 0, indent_ = 0;
    bool bullet_ = false;
    bool lineStart_ = true;
    bool lastSpace_ = false;
};

}  // namespace

std::string SafeAnnouncementHtml(std::string_view html) {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
    const std::string text = RepairUtf8(html.substr(0, html.find('\0')));
    const int options =
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET | HTML_PARSE_NOIMPLIED;
    std::unique_ptr<xmlDoc, DocFree> doc(
        htmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8", options));
    if (!doc) return "<html><body></body></html>";
    return Flattener().run(reinterpret_cast<xmlNode*>(doc.get()));
}

}  // namespace sanxing
