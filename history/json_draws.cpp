#include "history/json_draws.h"

#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "history/draw_fields.h"
#include "history/draw_reader.h"
#include "runtime/json_shape.h"

namespace sanxing::history {

namespace {

using Json = nlohmann::json;

// A field longer than a line can be is cut here: its line is refused as too long anyway.
constexpr std::size_t kMaxFieldBytes = kMaxLineBytes + 1;
// Columns taken from the first record: one more than a draw line may have, so that a
// record that wide is still refused as one with too many fields.
constexpr std::size_t kMaxColumns = kMaxFields + 1;

// The text of one field, built from the events of its value: a scalar as text, a list of
// scalars as its items one space apart ([8, 1, 6] → "8 1 6"), anything else as compact JSON.
// Depth 0 is the field's value itself.
class FieldText {
public:
    void scalar(std::size_t depth, const Json& value) {
        separate(depth);
        if (value.is_string() && (depth == 0 || (depth == 1 && topList_))) {
            append(value.get_ref<const std::string&>());
        } else if (!(depth == 0 && value.is_null())) {
            append(value.dump());
        }
    }
    void open(std::size_t depth, bool object) {
        separate(depth);
        if (depth == 0 && !object) {
            topList_ = true;
        } else {
            append(object ? "{" : "[");
        }
        first_.resize(depth + 1);
        first_[depth] = true;
    }
    void key(std::size_t depth, const std::string& name) {
        // The key of a member of the object at depth - 1.
        if (!first_[depth - 1]) append(",");
        first_[depth - 1] = false;
        append(Json(name).dump() + ":");
        afterKey_ = true;
    }
    void close(std::size_t depth, bool object) {
        if (!(depth == 0 && topList_)) append(object ? "}" : "]");
    }
    std::string take() {
        std::string text = std::move(text_);
        text_.clear();
        first_.clear();
        topList_ = false;
        afterKey_ = false;
        return text;
    }

private:
    // What goes before a value at `depth`: a space between the items of the field's list, a
    // comma between items of a JSON list, nothing after a key.
    void separate(std::size_t depth) {
        if (depth == 0) return;
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_[depth - 1]) append(depth == 1 && topList_ ? " " : ",");
        first_[depth - 1] = false;
    }
    void append(std::string_view piece) {
        if (text_.size() < kMaxFieldBytes) text_.append(piece.substr(0, kMaxFieldBytes - text_.size()));
    }

    std::string text_;
    std::vector<bool> first_;  // per open container: no item written yet
    bool topList_ = false;     // the field's value is a list: its items are space-separated
    bool afterKey_ = false;
};

// One CSV field: quoted, so commas inside it stay in it.
void AppendField(std::string& line, std::string_view text) {
    if (!line.empty()) line += ',';
    line += '"';
    for (const char c : text) {
        if (c == '"') line += '"';
        if (c != '\n' && c != '\r') line += c;
    }
    line += '"';
}

// Parser events → lines. Finds the first non-empty list whose first item is a record (an
// object or a list), at most three objects down, in document order; then turns each of its
// items into a line as it ends.
class RecordStream final : public nlohmann::json_sax<Json> {
public:
    explicit RecordStream(const std::function<bool(std::string_view)>& line) : line_(line) {}

    bool found() const { return records_ != kNone; }
    bool stopped() const { return stopped_; }

    bool null() override { return scalar(Json()); }
    bool boolean(bool value) override { return scalar(Json(value)); }
    bool number_integer(number_integer_t value) override { return scalar(Json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return scalar(Json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return scalar(Json(value)); }
    bool string(string_t& value) override { return scalar(Json(std::move(value))); }
    bool binary(binary_t&) override { return true; }

    bool start_object(std::size_t) override { return open(true); }
    bool start_array(std::size_t) override { return open(false); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& name) override {
        const std::size_t depth = levels_.size();
        if (!inRecords() || depth < records_ + 2) return true;
        if (depth == records_ + 2) {
            column_ = ColumnOf(name);
        } else if (capturing_) {
            field_.key(depth - records_ - 2, name);
        }
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    struct Level {
        bool object;
        bool searched;  // its members may hold the list of records
        std::size_t items = 0;
    };

    bool inRecords() const { return found() && !done_; }

    // Before any value at the current depth: while searching, the first item of a list that
    // may be the records decides whether it is.
    void noteValue(bool container) {
        if (found() || levels_.empty()) return;
        Level& parent = levels_.back();
        if (!parent.object && parent.searched && parent.items == 0 && container) records_ = levels_.size() - 1;
        ++parent.items;
    }

    bool searchedHere() const {
        if (levels_.empty()) return true;
        const Level& parent = levels_.back();
        return parent.object && parent.searched && levels_.size() <= 3;
    }

    // Whether a value that starts at `depth`, below a record, is (part of) a field that is
    // read: an item of a list record, a member of an object record that has a column.
    bool readsField(std::size_t depth) const {
        if (depth > records_ + 2) return capturing_;
        return !objectRecord_ || column_ != kNone;
    }

    bool scalar(const Json& value) {
        noteValue(false);
        if (!inRecords()) return true;
        const std::size_t depth = levels_.size();
        if (depth == records_ + 1) return emit({});  // an item that is not a record: an empty line
        if (!readsField(depth)) return true;
        field_.scalar(depth - records_ - 2, value);
        if (depth == records_ + 2) storeField();
        return true;
    }

    bool open(bool object) {
        noteValue(true);
        const bool searched = !found() && searchedHere();
        const std::size_t depth = levels_.size();
        levels_.push_back({object, searched});
        if (!inRecords() || depth <= records_) return true;
        if (depth == records_ + 1) {
            startRecord(object);
        } else if (readsField(depth)) {
            capturing_ = true;
            field_.open(depth - records_ - 2, object);
        }
        return true;
    }

    bool close() {
        const bool object = levels_.back().object;
        levels_.pop_back();
        const std::size_t depth = levels_.size();
        if (!inRecords() || depth < records_) return true;
        if (depth == records_) {
            done_ = true;  // the list of records ended: nothing after it is read
            return false;
        }
        if (depth == records_ + 1) return emit(recordLine());
        if (capturing_) {
            field_.close(depth - records_ - 2, object);
            if (depth == records_ + 2) {
                capturing_ = false;
                storeField();
            }
        }
        return true;
    }

    void startRecord(bool object) {
        objectRecord_ = object;
        fields_.assign(object ? header_.size() : 0, std::string());
        headerRecord_ = object && firstRecord_;
        firstRecord_ = false;
        column_ = kNone;
    }

    // The column of a key of the current object record; new keys of the first record add
    // columns, keys that later records add are not read.
    std::size_t ColumnOf(const std::string& name) {
        if (!objectRecord_) return kNone;
        if (const auto known = columns_.find(name); known != columns_.end()) return known->second;
        if (!headerRecord_ || header_.size() == kMaxColumns) return kNone;
        columns_.emplace(name, header_.size());
        header_.push_back(name);
        fields_.emplace_back();
        return header_.size() - 1;
    }

    void storeField() {
        std::string text = field_.take();
        if (objectRecord_) {
            if (column_ != kNone) fields_[column_] = std::move(text);
            column_ = kNone;
        } else if (fields_.size() < kMaxColumns) {
            fields_.push_back(std::move(text));
        }
    }

    std::string recordLine() {
        std::string line;
        if (headerRecord_) {
            for (const std::string& name : header_) AppendField(line, name);
            if (!emit(line)) return {};
            line.clear();
        }
        if (objectRecord_ || !fields_.empty()) {
            for (const std::string& field : fields_) AppendField(line, field);
        }
        return line;
    }

    bool emit(std::string_view line) {
        if (stopped_) return false;
        stopped_ = !line_(line);
        return !stopped_;
    }

    const std::function<bool(std::string_view)>& line_;
    std::vector<Level> levels_;
    std::size_t records_ = kNone;  // the level of the list of records, once found
    bool done_ = false;
    bool stopped_ = false;
    // The record being read.
    bool firstRecord_ = true;
    bool headerRecord_ = false;  // the first record, an object: its keys are the header
    bool objectRecord_ = false;
    std::vector<std::string> fields_;
    std::size_t column_ = kNone;  // of the member being read
    bool capturing_ = false;      // inside a field's list or object
    FieldText field_;
    // The first record's keys: the header, and each key's column.
    std::vector<std::string> header_;
    std::unordered_map<std::string, std::size_t> columns_;
};

}  // namespace

bool LooksLikeJson(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && (text[start] == '[' || text[start] == '{');
}

JsonRecords ReadJsonRecords(std::string_view text, const std::function<bool(std::string_view)>& line) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (!CheckJsonShape(text)) return JsonRecords::TooDeep;
    // Checked whole first, so that no line is handed on from a document that turns out not
    // to be JSON after all.
    if (!Json::accept(text)) return JsonRecords::NotRecords;
    RecordStream stream(line);
    Json::sax_parse(text, &stream);
    if (stream.stopped()) return JsonRecords::Stopped;
    return stream.found() ? JsonRecords::Read : JsonRecords::NotRecords;
}

}  // namespace sanxing::history
