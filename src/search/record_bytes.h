#pragma once

// Little-endian fields of the search files, written into a byte string and read back with every
// field checked against the bytes that are left, so that a short or corrupt file is noticed
// instead of read past its end.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ravelin::search {

class ByteWriter {
  public:
    void Int32(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<char>((bits >> shift) & 0xFF));
        }
    }
    // text in a field of width bytes: cut to width - 1 characters, then NULs to the width.
    void Text(std::string_view text, std::size_t width) {
        const std::size_t kept = std::min(text.size(), width - 1);
        bytes_.append(text.substr(0, kept));
        bytes_.append(width - kept, '\0');
    }
    void Bytes(std::string_view bytes) { bytes_.append(bytes); }
    const std::string& Data() const { return bytes_; }
    std::string Take() { return std::move(bytes_); }

  private:
    std::string bytes_;
};

class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Remaining() const { return bytes_.size() - position_; }
    std::size_t Position() const { return position_; }
    // The next byte without consuming it; false at the end.
    bool PeekByte(char& byte) const {
        if (Remaining() == 0) {
            return false;
        }
        byte = bytes_[position_];
        return true;
    }
    bool Int32(std::int32_t& value) {
        if (Remaining() < 4) {
            return false;
        }
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) {
            bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[position_ + i])) << (8 * i);
        }
        position_ += 4;
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    // A NUL-terminated text in a field of width bytes. False when the field is cut off by the end
    // of the bytes or holds no NUL.
    bool Text(std::size_t width, std::string_view& text) {
        if (Remaining() < width) {
            return false;
        }
        const std::string_view field = bytes_.substr(position_, width);
        const std::size_t end = field.find('\0');
        if (end == std::string_view::npos) {
            return false;
        }
        text = field.substr(0, end);
        position_ += width;
        return true;
    }
    bool Skip(std::size_t count) {
        if (Remaining() < count) {
            return false;
        }
        position_ += count;
        return true;
    }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

}  // namespace ravelin::search
