#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace ravelin::gamefile {

inline constexpr std::size_t kReadBufferSize = 16384;
// A PGN line holds at most 255 characters; longer physical lines are cut into several lines.
inline constexpr std::size_t kMaxLineLength = 255;
inline constexpr std::size_t kLineBufferSize = kMaxLineLength + 1;

enum class LineReaderMode {
    kNormal = 0,             // leading blanks dropped and not counted
    kIndexing = 1,           // leading blanks dropped but counted, so counts add up to file offsets
    kKeepLeadingBlanks = 2,  // leading blanks stored like any other character
};

enum class LongLineFlag {
    kNotArmed = 0,
    kArmed = 1,    // the file checker wants to know about cut lines
    kCutSeen = 2,  // a line was cut since the flag was armed
};

// The one reader of PGN text: a 16384-byte read buffer over a file descriptor it does not own,
// and the line splitter every PGN reader shares. Each thread that reads files has its own.
//
// Lines end at a line feed; carriage returns right before it are dropped, so LF and CR LF files
// read alike. A physical line longer than 255 characters is cut at its last blank (or after 255
// characters when it has none) and the characters after the cut begin the next line, so nothing
// is lost and the counts of indexing mode still add up to exact file offsets. A last line without
// a line feed is returned as a line. A UTF-8 byte-order mark at the start of the file is skipped
// like leading blanks.
class LineReader {
public:
    // The buffer size is the size of each read from the file; the scan of a whole file uses a
    // larger one than the readers of single games.
    explicit LineReader(std::size_t bufferSize = kReadBufferSize);

    // Reads from this descriptor from its current position on; the buffer starts empty.
    void Attach(int fd);
    int Descriptor() const { return fd_; }
    // Empties the buffer; call after moving the descriptor's position.
    void Reset();
    // Moves to a byte offset and empties the buffer. False when the seek fails.
    bool Seek(std::uint64_t offset);

    // Copies up to n bytes; returns the number copied (0 at end of file).
    std::size_t ReadBytes(char* dest, std::size_t n);

    // Reads one line into line (kLineBufferSize bytes). Returns the byte count of the line (see
    // LineReaderMode), 0 at end of file.
    int ReadLine(char* line);

    // The same line without copying it: text points into the reader's buffers and stays valid
    // until the next call. Unlike the copied line it may hold zero bytes. Used by scans that look
    // at a few characters of each line.
    int NextLine(std::string_view& text);

    LineReaderMode mode = LineReaderMode::kNormal;
    LongLineFlag longLineFlag = LongLineFlag::kNotArmed;
    // Bytes taken from the file by ReadLine since the game loader last reset it.
    std::uint64_t byteCounter = 0;

private:
    bool Fill();
    int FinishLine(std::string_view& text, const char* start, std::size_t stored, std::size_t taken,
                   std::size_t skipped);
    int CutLongLine(std::string_view& text, std::size_t skipped);

    int fd_ = -1;
    std::size_t bufferSize_;
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atFileStart_ = false;
    // Characters after the cut of a long line, returned first by the next ReadLine.
    char carry_[kLineBufferSize + 1] = {};
    std::size_t carryPos_ = 0;
    std::size_t carryLen_ = 0;
    // One character more than a line holds, so an over-long line can be recognised.
    char work_[kMaxLineLength + 2] = {};
};

}  // namespace ravelin::gamefile
