#include "tools/interrupted_saves.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "runtime/regular_file.h"
#include "tools/save_io.h"

namespace sanxing {

namespace {

namespace fs = std::filesystem;

// What a file holds, for comparing: its size and a 64-bit FNV-1a checksum.
struct Digest {
    std::uintmax_t size = 0;
    std::uint64_t sum = 14695981039346656037ull;

    void add(std::string_view bytes) {
        size += bytes.size();
        for (const char c : bytes) sum = (sum ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    bool operator==(const Digest&) const = default;
};

Digest DigestOf(std::string_view bytes) {
    Digest digest;
    digest.add(bytes);
    return digest;
}

std::optional<Digest> DigestOfFile(const std::string& path) {
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    Digest digest;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0) return digest;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        digest.add({buffer, static_cast<std::size_t>(got)});
    }
}

std::string RecordFolder() {
    const std::string state = SaveStateFolder();
    return state.empty() ? state : state + "/saving";
}

// The record: file, copy, size and checksum of the new text, separated by NUL bytes.
std::string RecordText(const std::string& target, const std::string& copy, const Digest& digest) {
    return target + '\0' + copy + '\0' + std::to_string(digest.size) + '\0' + std::to_string(digest.sum);
}

struct Record {
    std::string target;
    std::string copy;
    Digest newText;
};

std::optional<Record> ParseRecord(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t nul; (nul = text.find('\0', start)) != std::string::npos; start = nul + 1) {
        fields.push_back(text.substr(start, nul - start));
    }
    fields.push_back(text.substr(start));
    if (fields.size() != 4 || fields[0].empty() || fields[1].empty()) return std::nullopt;
    char* end = nullptr;
    Record record{fields[0], fields[1], {}};
    record.newText.size = std::strtoull(fields[2].c_str(), &end, 10);
    if (*end != '\0') return std::nullopt;
    record.newText.sum = std::strtoull(fields[3].c_str(), &end, 10);
    if (*end != '\0') return std::nullopt;
    return record;
}

// The process id a record's name starts with; 0 when it has none.
pid_t RecordOwner(const std::string& name) { return static_cast<pid_t>(std::atol(name.c_str())); }

// Whether the interrupted save left its file damaged: neither the whole new text nor the
// whole old one (the copy).
bool LeftDamaged(const Record& record) {
    const std::optional<Digest> now = DigestOfFile(record.target);
    return !now || (*now != record.newText && now != DigestOfFile(record.copy));
}

}  // namespace

std::string SaveStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && *state != '\0') return std::string(state) + "/sanxing";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return std::string(home) + "/.local/state/sanxing";
    return {};
}

std::string BackupFolder() {
    const std::string state = SaveStateFolder();
    return state.empty() ? state : state + "/backups";
}

void PruneBackups() {
    std::error_code error;
    std::vector<std::pair<fs::file_time_type, fs::path>> copies;
    for (const auto& entry : fs::directory_iterator(BackupFolder(), error)) {
        if (entry.is_regular_file(error)) copies.emplace_back(entry.last_write_time(error), entry.path());
    }
    if (copies.size() <= kKeptBackups) return;
    std::sort(copies.begin(), copies.end(), [](const auto& a, const auto& b) { return a > b; });
    for (std::size_t i = kKeptBackups; i < copies.size(); ++i) fs::remove(copies[i].second, error);
}

PendingSave::PendingSave(const std::string& target, const std::string& copy, std::string_view newText) {
    const std::string folder = RecordFolder();
    std::error_code error;
    if (folder.empty() || (fs::create_directories(folder, error), error)) return;
    static std::atomic<unsigned> counter{0};
    const std::string path = folder + "/" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    const std::string text = RecordText(target, copy, DigestOf(newText));
    if (!file.valid()) return;
    if (save_io::WriteAllAt(file.get(), text, 0) != 0 || ::fsync(file.get()) != 0) {
        ::unlink(path.c_str());
        return;
    }
    save_io::SyncFolder(folder);
    record_ = path;
}

PendingSave::~PendingSave() {
    if (!record_.empty()) ::unlink(record_.c_str());
}

std::vector<std::string> InterruptedSaveNotes() {
    std::vector<std::string> notes;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(RecordFolder(), error)) {
        const pid_t owner = RecordOwner(entry.path().filename().string());
        if (owner == ::getpid() || (owner > 0 && !save_io::ProcessEnded(owner))) continue;  // still saving
        const auto read = ReadRegularFile(entry.path().string(), 1 << 16);
        std::error_code ignored;
        fs::remove(entry.path(), ignored);
        const std::optional<Record> record = read ? ParseRecord(*read) : std::nullopt;
        // Without its copy the save never touched its file.
        if (!record || !fs::exists(record->copy, ignored)) continue;
        if (!LeftDamaged(*record)) {
            fs::remove(record->copy, ignored);
            continue;
        }
        notes.push_back("上次保存“" + record->target + "”时程序中断，这个文件可能不完整；原来的内容保存在“" +
                        record->copy + "”。");
    }
    return notes;
}

}  // namespace sanxing
