#include <gtest/gtest.h>

#include <sys/stat.h>

#include <random>

#include "numbers/set_text.h"
#include "tools/base_file_scan.h"
#include "tools_fixture.h"

namespace sanxing {
namespace {

// The load rule as literally described: up to the first NUL or Ctrl-Z, and only for
// texts longer than five bytes, every universe number found followed by a space or
// preceded by one.
std::optional<std::string> LiteralLoad(std::string text) {
    text = text.substr(0, text.find_first_of(std::string("\0\x1A", 2)));
    if (text.size() <= 5) return std::nullopt;
    std::string out;
    for (int n = 0; n < 1000; ++n) {
        const std::string number = NumberText(n);
        if (text.find(number + " ") != std::string::npos || text.find(" " + number) != std::string::npos) {
            out += number + " ";
        }
    }
    return out;
}

std::optional<std::string> Load(const std::string& bytes, std::size_t chunkSize = 1 << 16) {
    TempFolder folder;
    WriteBytes(folder.file("base.txt"), bytes);
    const std::optional<NumberSet> numbers = ReadBaseFile(folder.file("base.txt"), chunkSize);
    if (!numbers) return std::nullopt;
    return numbers->toText();
}

TEST(BaseFileLoad, TakesNumbersTouchingASpaceSortedWithoutRepeats) {
    EXPECT_EQ(Load("123 045 123 999"), "045 123 999 ");
    EXPECT_EQ(Load("1234 5"), "234 ");             // 234 is followed by a space, 123 is not
    EXPECT_EQ(Load("x 98765,"), "987 ");           // 987 follows a space, 765 touches none
    EXPECT_EQ(Load("123\r\n456\r\n789\r\n"), "");  // one per line, no space at all
    EXPECT_EQ(Load("12 34 56 78"), "");
    EXPECT_EQ(Load("\xD6\xD0 123 \xCE\xC4"), "123 ");  // GBK text around a number
}

TEST(BaseFileLoad, ShortTextsAndEndBytes) {
    EXPECT_EQ(Load("123 4"), std::nullopt);  // five bytes change nothing
    EXPECT_EQ(Load(" 123 "), std::nullopt);  // even when they hold a number
    EXPECT_EQ(Load("123 45"), "123 ");       // six bytes do
    EXPECT_EQ(Load(""), std::nullopt);
    EXPECT_EQ(Load(std::string("123 4\0 567 890", 14)), std::nullopt);  // five bytes before NUL
    EXPECT_EQ(Load("123 456\x1A 789 012"), "123 456 ");                 // Ctrl-Z ends the text
    EXPECT_EQ(Load(std::string("123 456 \0 789", 12)), "123 456 ");
    EXPECT_EQ(Load(std::string("\0"
                               "123 456 789",
                               12)),
              std::nullopt);
    // An end byte right after digits: nothing follows them.
    EXPECT_EQ(Load(std::string(" 12 345\0 ", 9)), "345 ");
}

TEST(BaseFileLoad, MissingOrUnreadablePathsLoadNothing) {
    TempFolder folder;
    EXPECT_EQ(ReadBaseFile(folder.file("missing.txt")), std::nullopt);
    EXPECT_EQ(ReadBaseFile(folder.path()), std::nullopt);  // a folder
    EXPECT_EQ(ReadBaseFile("/dev/null"), std::nullopt);
    EXPECT_EQ(ReadBaseFile("/dev/zero"), std::nullopt);  // endless, but NUL ends it at once
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    EXPECT_EQ(ReadBaseFile(folder.file("fifo")), std::nullopt);  // no writer: no waiting
}

TEST(BaseFileLoad, NumbersAcrossChunkBoundaries) {
    // Every cut of the text into two chunks at every offset, for texts where the number
    // touching the space sits on either side of the cut.
    for (const std::string& text :
         std::vector<std::string>{"ab 123cd", "ab1234 cd", "  99 123", std::string("12 345\0 678 ", 12)}) {
        for (std::size_t chunk = 1; chunk <= text.size(); ++chunk) {
            EXPECT_EQ(Load(text, chunk), LiteralLoad(text)) << "chunk " << chunk << " text " << text;
        }
    }
    // The real chunk size: a number across the 64 KiB boundary.
    std::string big(65536 - 2, 'x');
    big += " 4567 ";
    EXPECT_EQ(Load(big), "456 567 ");
}

// The scanner fed in pieces of `chunk` bytes, without a file.
std::optional<std::string> Scan(const std::string& text, std::size_t chunk) {
    BaseTextScanner scanner;
    for (std::size_t at = 0; at < text.size(); at += chunk) scanner.feed(std::string_view(text).substr(at, chunk));
    if (scanner.length() < kShortestLoadableText) return std::nullopt;
    return scanner.numbers().toText();
}

TEST(BaseFileLoad, AgreesWithTheLiteralRuleOnRandomTexts) {
    std::mt19937 random(7);
    const std::string alphabet = std::string("0123456789  \r\n,x", 17) + '\0' + '\x1A';
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 60, ' ');
        for (char& ch : text) ch = alphabet[random() % (round % 3 == 0 ? alphabet.size() : alphabet.size() - 2)];
        const std::size_t chunk = 1 + random() % 9;
        ASSERT_EQ(Scan(text, chunk), LiteralLoad(text)) << "text \"" << text << "\" chunk " << chunk;
    }
}

TEST(BaseFileLoad, BinaryFileStopsAtItsFirstNul) {
    std::mt19937 random(3);
    std::string bytes(1 << 20, '\0');
    for (char& ch : bytes) {
        ch = static_cast<char>(1 + random() % 255);
        if (ch == '\x1A') ch = 'x';
    }
    bytes[1000] = '\0';
    bytes.replace(10, 5, " 123 ");
    bytes.replace(2000, 5, " 456 ");
    const std::optional<std::string> loaded = Load(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_NE(loaded->find("123 "), std::string::npos);
    EXPECT_EQ(loaded->find("456 "), std::string::npos);
    EXPECT_EQ(loaded, LiteralLoad(bytes));
}

}  // namespace
}  // namespace sanxing
