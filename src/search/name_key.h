#pragma once

// Player names as the header search compares them: a key that ignores case, blanks, dots and
// the parts of a name in parentheses, and the modes a criterion name can carry.

#include <array>
#include <cstddef>
#include <string_view>

namespace ravelin::search {

// A game's name is looked at only up to this many characters (a criterion's length plus 2), and
// criteria up to 79 characters long give at most 81.
inline constexpr std::size_t kNameLookLimit = 31;
inline constexpr std::size_t kMaxNameKey = 96;

// The key of a name: each letter in lower case; the first character unchanged when it is not a
// letter; after that a ',' is kept, a '(' ends the key and any other non-letter is dropped
// ("Morrow, G." gives "morrow,g", "van der Molen" gives "vandermolen"). An empty name has the
// empty key, which no name criterion but an exact empty one matches. Fixed size, no allocation:
// the search makes two keys per game.
class NameKey {
  public:
    NameKey() = default;
    explicit NameKey(std::string_view name);
    std::string_view View() const { return std::string_view(chars_.data(), length_); }
    std::size_t Length() const { return length_; }

  private:
    std::array<char, kMaxNameKey> chars_{};
    std::size_t length_ = 0;
};

enum class NameMode {
    kPrefix,       // the game's key begins with the criterion's key
    kExact,        // final '#': the game's name is the criterion text
    kLastDiffers,  // final '?': the keys agree up to the criterion key's last letter, which differs
};

// A White or Black criterion, prepared once per search.
class NameCriterion {
  public:
    NameCriterion() = default;
    // The text without a final mode mark is what is compared; an empty text sets no condition.
    explicit NameCriterion(std::string_view text);

    bool Given() const { return given_; }
    NameMode Mode() const { return mode_; }
    // How many leading characters of a game's name are looked at.
    std::size_t LookLength() const { return look_; }
    bool Matches(std::string_view gameName) const;

  private:
    bool given_ = false;
    NameMode mode_ = NameMode::kPrefix;
    std::array<char, kMaxNameKey> text_{};
    std::size_t textLength_ = 0;
    NameKey key_;
    std::size_t look_ = 0;
};

}  // namespace ravelin::search
