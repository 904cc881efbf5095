// The save routine with random sizes, kinds of target and failure points: the input's
// first bytes pick the target (new, replaced, hard-linked, reached through a symbolic
// link), the old and new sizes (up to 64 KB) and a file size limit at which every write
// fails (EFBIG, as a full disk fails them), the rest fills the texts. Whatever happens,
// a save that succeeds leaves the whole new text, one that fails the whole old text or a
// copy of it named in the message, the links stay links, and no other file is left.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz_input.h"
#include "tools/safe_file_write.h"

using namespace sanxing;
namespace fs = std::filesystem;

namespace {

enum Target { kNew, kReplaced, kHardLinked, kSymlinked, kTargets };

struct Case {
    Target target;
    std::string old;
    std::string text;
    rlim_t limit;  // RLIM_INFINITY: no failure
};

std::size_t Number(std::string_view& input) {
    std::size_t n = 0;
    for (int i = 0; i < 2 && !input.empty(); ++i, input.remove_prefix(1))
        n = n << 8 | static_cast<unsigned char>(input[0]);
    return n;
}

std::string Filled(std::size_t size, std::string_view pattern, char fallback) {
    std::string text(size, fallback);
    for (std::size_t i = 0; i < size && !pattern.empty(); ++i) text[i] = pattern[i % pattern.size()];
    return text;
}

Case CaseOf(std::string_view input) {
    const Target target = input.empty() ? kNew : static_cast<Target>(static_cast<unsigned char>(input[0]) % kTargets);
    if (!input.empty()) input.remove_prefix(1);
    const std::size_t oldSize = Number(input), newSize = Number(input), limit = Number(input);
    const std::size_t half = input.size() / 2;
    return {target, Filled(oldSize, input.substr(0, half), 'o'), Filled(newSize, input.substr(half), 'n'),
            limit == 0xFFFF ? RLIM_INFINITY : limit};
}

std::string Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A folder of this process for the targets, and the program's state folder beside it;
// removed when the fuzzer ends.
fs::path g_base;

void RemoveBase() {
    std::error_code ignored;
    fs::remove_all(g_base, ignored);
}

const fs::path& Folder() {
    static const fs::path folder = [] {
        g_base = fs::temp_directory_path() / ("sanxing_fuzz_save_" + std::to_string(::getpid()));
        fs::create_directories(g_base / "files");
        ::setenv("XDG_STATE_HOME", (g_base / "state").c_str(), 1);
        ::signal(SIGXFSZ, SIG_IGN);
        std::atexit(RemoveBase);
        return g_base / "files";
    }();
    return folder;
}

// Writes beyond `bytes` fail with EFBIG while this lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = std::min(bytes, saved_.rlim_max);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

// The copy of the old text that a failed message names, if any.
std::string CopyNamedIn(const std::string& message) {
    const std::string marker = "原文件的副本保存在：";
    const std::size_t at = message.find(marker);
    return at == std::string::npos ? std::string() : message.substr(at + marker.size());
}

std::size_t Entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Case c = CaseOf(fuzz::Bytes(data, size));
    const fs::path folder = Folder();
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "result.txt";
    const fs::path named = c.target == kSymlinked ? folder / "link.txt" : file;
    std::size_t entries = 0;
    if (c.target != kNew) Write(file, c.old), ::chmod(file.c_str(), 0640), ++entries;
    if (c.target == kHardLinked) fs::create_hard_link(file, folder / "other.txt"), ++entries;
    if (c.target == kSymlinked) fs::create_symlink("result.txt", named), ++entries;

    Result<void> saved;
    {
        const FileSizeLimit limit(c.limit);
        saved = WriteFileWhole(named.string(), c.text);
    }
    const std::string now = fs::exists(file) ? Read(file) : std::string();
    if (saved) {
        fuzz::Check(now == c.text, "a save that succeeds leaves the new text");
        fuzz::Check(c.target == kNew || (fs::status(file).permissions() & fs::perms::all) == fs::perms(0640),
                    "a replaced file keeps its mode");
        entries += c.target == kNew ? 1 : 0;
    } else {
        fuzz::Check(static_cast<unsigned char>(saved.error()[0]) >= 0x80, "the reason is given in Chinese");
        const std::string copy = CopyNamedIn(saved.error());
        fuzz::Check(c.target == kNew ? !fs::exists(file) : now == c.old || Read(copy) == c.old,
                    "a save that fails leaves the old text or a copy of it");
        entries += copy.empty() || fs::path(copy).parent_path() != folder ? 0 : 1;
    }
    if (c.target == kHardLinked) fuzz::Check(fs::equivalent(file, folder / "other.txt"), "hard links stay one file");
    if (c.target == kSymlinked) fuzz::Check(fs::is_symlink(named), "a symbolic link stays a link");
    fuzz::Check(Entries(folder) == entries, "no temporary file or copy is left behind");
    return 0;
}
