#include "gamefile/line_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace ravelin::gamefile {
namespace {

using testing::TempDir;

struct Line {
    std::string text;
    int count;
};

// Reads every line of the bytes through a LineReader in the given mode.
std::vector<Line> ReadAllLines(const std::string& bytes, LineReaderMode mode) {
    TempDir dir;
    std::string path = dir.Write("input.pgn", bytes);
    int fd = open(path.c_str(), O_RDONLY);
    LineReader reader;
    reader.Attach(fd);
    reader.mode = mode;
    std::vector<Line> lines;
    char buffer[kLineBufferSize];
    for (;;) {
        int count = reader.ReadLine(buffer);
        if (count == 0) {
            break;
        }
        lines.push_back({buffer, count});
    }
    close(fd);
    return lines;
}

// A plain, slow statement of the line rules to compare the buffered reader against: lines end
// at LF with CRs before it dropped; leading blanks dropped (kept in mode 2); a line that would
// exceed 255 characters is cut at its last blank, the rest starting the next line.
std::vector<Line> ReferenceLines(const std::string& bytes, LineReaderMode mode) {
    std::vector<Line> lines;
    std::size_t i = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        i = 3;
    }
    std::size_t bomSkipped = i;
    std::string pending;  // carried characters of a cut line
    while (i < bytes.size() || !pending.empty()) {
        std::size_t skipped = bomSkipped;
        bomSkipped = 0;
        std::string stored;
        std::size_t taken = 0;
        bool started = mode == LineReaderMode::kKeepLeadingBlanks;
        std::string source = pending;
        pending.clear();
        std::size_t fromPending = 0;
        auto next = [&](char& c) {
            if (fromPending < source.size()) {
                c = source[fromPending++];
                return true;
            }
            if (i < bytes.size()) {
                c = bytes[i++];
                return true;
            }
            return false;
        };
        char c;
        bool ended = false;
        bool cut = false;
        while (next(c)) {
            if (!started && c == ' ') {
                ++skipped;
                continue;
            }
            started = true;
            if (c == '\n') {
                ended = true;
                taken = stored.size() + 1;
                break;
            }
            stored.push_back(c);
            if (stored.size() == kMaxLineLength + 1) {
                if (stored.back() == '\r' && i < bytes.size() && fromPending >= source.size() && bytes[i] == '\n') {
                    ++i;
                    taken = stored.size() + 1;
                    stored.pop_back();
                    ended = true;
                    break;
                }
                std::size_t blank = stored.rfind(' ');
                std::size_t keep = blank == std::string::npos ? kMaxLineLength : blank;
                std::size_t restFrom = blank == std::string::npos ? kMaxLineLength : blank + 1;
                pending = stored.substr(restFrom) + source.substr(fromPending);
                taken = restFrom;
                stored.resize(keep);
                cut = true;
                break;
            }
        }
        if (!ended && !cut) {
            taken = stored.size();
            if (stored.empty() && (mode != LineReaderMode::kIndexing || skipped == 0)) {
                break;
            }
        } else if (!cut && fromPending < source.size()) {
            pending = source.substr(fromPending);
        }
        if (!cut) {
            while (!stored.empty() && stored.back() == '\r') {
                stored.pop_back();
            }
        }
        int count = static_cast<int>(taken + (mode == LineReaderMode::kIndexing ? skipped : 0));
        if (count == 0) {
            break;
        }
        lines.push_back({stored, count});
    }
    return lines;
}

void ExpectSameLines(const std::vector<Line>& actual, const std::vector<Line>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < actual.size(); ++k) {
        EXPECT_EQ(actual[k].text, expected[k].text) << "line " << k;
        EXPECT_EQ(actual[k].count, expected[k].count) << "line " << k;
    }
}

TEST(ReadLine, LastLineWithoutNewlineIsReturned) {
    auto lines = ReadAllLines("1.e4 e5\n2.Nf3 1-0", LineReaderMode::kNormal);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].text, "2.Nf3 1-0");
    EXPECT_EQ(lines[1].count, 9);
}

TEST(ReadLine, CarriageReturnsBeforeLineFeedAreDroppedButCounted) {
    auto lines = ReadAllLines("[Event \"x\"]\r\n\r\n1.e4\r\r\n", LineReaderMode::kNormal);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "[Event \"x\"]");
    EXPECT_EQ(lines[0].count, 13);
    EXPECT_EQ(lines[1].text, "");
    EXPECT_EQ(lines[1].count, 2);
    EXPECT_EQ(lines[2].text, "1.e4");
    EXPECT_EQ(lines[2].count, 7);
}

TEST(ReadLine, LeadingBlanksDependOnMode) {
    const std::string bytes = "   1.e4 e5\n";
    EXPECT_EQ(ReadAllLines(bytes, LineReaderMode::kNormal)[0].text, "1.e4 e5");
    EXPECT_EQ(ReadAllLines(bytes, LineReaderMode::kNormal)[0].count, 8);
    EXPECT_EQ(ReadAllLines(bytes, LineReaderMode::kIndexing)[0].count, 11);
    EXPECT_EQ(ReadAllLines(bytes, LineReaderMode::kKeepLeadingBlanks)[0].text, "   1.e4 e5");
}

TEST(ReadLine, LongLineIsCutAtLastBlankAndRestBeginsNextLine) {
    std::string first(200, 'a');
    std::string second(100, 'b');
    auto lines = ReadAllLines(first + " " + second + "\n", LineReaderMode::kIndexing);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, first);
    EXPECT_EQ(lines[1].text, second);
    EXPECT_EQ(lines[0].count + lines[1].count, 302);
}

TEST(ReadLine, LongLineWithoutBlankIsCutAfter255Characters) {
    std::string word(600, 'x');
    auto lines = ReadAllLines(word + "\n", LineReaderMode::kIndexing);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text.size(), kMaxLineLength);
    EXPECT_EQ(lines[1].text.size(), kMaxLineLength);
    EXPECT_EQ(lines[2].text.size(), 90u);
    EXPECT_EQ(lines[0].count + lines[1].count + lines[2].count, 601);
}

TEST(ReadLine, LineOfExactly255CharactersWithCrLfIsNotCut) {
    std::string text(kMaxLineLength, 'q');
    text[100] = ' ';
    auto lines = ReadAllLines(text + "\r\n[Event \"next\"]\r\n", LineReaderMode::kIndexing);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, text);
    EXPECT_EQ(lines[0].count, 257);
    EXPECT_EQ(lines[1].text, "[Event \"next\"]");
}

TEST(ReadLine, LongLineArmsTheLongLineFlag) {
    TempDir dir;
    std::string path = dir.Write("long.pgn", std::string(300, 'z') + "\nshort\n");
    int fd = open(path.c_str(), O_RDONLY);
    LineReader reader;
    reader.Attach(fd);
    reader.longLineFlag = LongLineFlag::kArmed;
    char line[kLineBufferSize];
    reader.ReadLine(line);
    EXPECT_EQ(reader.longLineFlag, LongLineFlag::kCutSeen);
    close(fd);
}

TEST(ReadLine, ByteOrderMarkAtFileStartIsSkippedAndCounted) {
    auto lines = ReadAllLines("\xEF\xBB\xBF[Event \"a\"]\n", LineReaderMode::kIndexing);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "[Event \"a\"]");
    EXPECT_EQ(lines[0].count, 15);
}

TEST(ReadLine, ByteCounterCountsEveryByteTaken) {
    TempDir dir;
    const std::string bytes = "  abc\r\n" + std::string(270, 'w') + "\nend";
    std::string path = dir.Write("count.pgn", bytes);
    int fd = open(path.c_str(), O_RDONLY);
    LineReader reader;
    reader.Attach(fd);
    char line[kLineBufferSize];
    while (reader.ReadLine(line) != 0) {
    }
    EXPECT_EQ(reader.byteCounter, bytes.size());
    close(fd);
}

TEST(ReadLine, SeekStartsReadingAtTheOffsetWithAnEmptyBuffer) {
    TempDir dir;
    std::string path = dir.Write("seek.pgn", "first\nsecond\nthird\n");
    int fd = open(path.c_str(), O_RDONLY);
    LineReader reader;
    reader.Attach(fd);
    char line[kLineBufferSize];
    reader.ReadLine(line);
    ASSERT_TRUE(reader.Seek(13));
    reader.ReadLine(line);
    EXPECT_STREQ(line, "third");
    close(fd);
}

TEST(ReadBytes, CopiesAcrossBufferRefillsAndStopsAtEnd) {
    TempDir dir;
    std::string bytes;
    for (int k = 0; k < 50000; ++k) {
        bytes.push_back(static_cast<char>('a' + k % 26));
    }
    std::string path = dir.Write("bytes.pgn", bytes);
    int fd = open(path.c_str(), O_RDONLY);
    LineReader reader;
    reader.Attach(fd);
    std::string got(60000, '\0');
    std::size_t first = reader.ReadBytes(got.data(), 20000);
    std::size_t second = reader.ReadBytes(got.data() + first, 40000);
    EXPECT_EQ(first, 20000u);
    EXPECT_EQ(second, 30000u);
    got.resize(first + second);
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(reader.ReadBytes(got.data(), 10), 0u);
    close(fd);
}

// Random text rich in the characters the rules care about, long enough to cross several
// buffer refills, compared line by line with the plain statement of the rules.
TEST(ReadLine, AgreesWithPlainRulesOnRandomText) {
    std::mt19937 random(20261206);
    const std::string alphabet = "  \r\n\nab[]\"1.";
    for (int round = 0; round < 40; ++round) {
        std::string bytes;
        std::size_t size = 1000 + random() % 40000;
        while (bytes.size() < size) {
            // Occasional long runs without line feeds or blanks exercise the cut.
            if (random() % 50 == 0) {
                bytes.append(200 + random() % 400, static_cast<char>('k' + random() % 5));
            } else {
                bytes.push_back(alphabet[random() % alphabet.size()]);
            }
        }
        for (LineReaderMode mode :
             {LineReaderMode::kNormal, LineReaderMode::kIndexing, LineReaderMode::kKeepLeadingBlanks}) {
            SCOPED_TRACE("round " + std::to_string(round) + " mode " + std::to_string(static_cast<int>(mode)));
            ExpectSameLines(ReadAllLines(bytes, mode), ReferenceLines(bytes, mode));
        }
    }
}

// In indexing mode the counts of all lines add up to the file size, whatever the file holds:
// this is what keeps game offsets exact.
TEST(ReadLine, IndexingCountsAddUpToFileSize) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string bytes;
        std::size_t size = 100 + random() % 30000;
        while (bytes.size() < size) {
            int pick = static_cast<int>(random() % 10);
            bytes.push_back(pick == 0 ? '\n' : pick == 1 ? ' ' : pick == 2 ? '\r' : static_cast<char>('a' + pick));
            if (random() % 300 == 0) {
                bytes.append(300, 'x');
            }
        }
        std::size_t total = 0;
        for (const Line& line : ReadAllLines(bytes, LineReaderMode::kIndexing)) {
            total += static_cast<std::size_t>(line.count);
        }
        EXPECT_EQ(total, bytes.size());
    }
}

}  // namespace
}  // namespace ravelin::gamefile
