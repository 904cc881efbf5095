#include "runtime/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace sanxing {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; on a byte sequence that cannot be converted, appends
    // the replacement and skips `skip(in, left)` bytes.
    template <typename Skip>
    std::string run(std::string_view input, std::string_view replacement, Skip skip) {
        std::string out;
        if (handle_ == reinterpret_cast<iconv_t>(-1)) return std::string(input);
        out.reserve(input.size() * 3 / 2 + 16);
        char* in = const_cast<char*>(input.data());
        std::size_t left = input.size();
        char buffer[4096];
        while (left > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(handle_, &in, &left, &outPtr, &outLeft);
            out.append(buffer, outPtr - buffer);
            if (rc != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (an incomplete sequence at the end): replace and skip.
            out.append(replacement);
            const std::size_t n = skip(in, left);
            in += n;
            left -= n;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t handle_;
};

std::size_t Utf8SequenceLength(const char* p, std::size_t left) {
    const auto lead = static_cast<unsigned char>(*p);
    std::size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (n > left) n = left;
    for (std::size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return i;
    }
    return n;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    Converter converter("UTF-8", "CP936");
    return converter.run(gbk, "\xEF\xBF\xBD", [](const char*, std::size_t) { return std::size_t{1}; });
}

std::string Utf8ToGbk(std::string_view utf8) {
    Converter converter("CP936", "UTF-8");
    return converter.run(utf8, "?", Utf8SequenceLength);
}

std::string_view Utf16Decoder::decode(std::string_view bytes) {
    pending_.append(bytes);
    std::size_t whole = pending_.size() & ~std::size_t{1};
    if (whole >= 2) {
        const auto first = static_cast<unsigned char>(pending_[whole - 2]);
        const auto second = static_cast<unsigned char>(pending_[whole - 1]);
        const unsigned unit = bigEndian_ ? first << 8 | second : second << 8 | first;
        if (unit >= 0xD800 && unit <= 0xDBFF) whole -= 2;  // its pair may be in the next piece
    }
    Converter converter("UTF-8", bigEndian_ ? "UTF-16BE" : "UTF-16LE");
    out_ = converter.run(std::string_view(pending_).substr(0, whole), "\xEF\xBF\xBD",
                         [](const char*, std::size_t left) { return std::min<std::size_t>(left, 2); });
    pending_.erase(0, whole);
    return out_;
}

}  // namespace sanxing
