#pragma once

// The key name of a player, which files the player's games under one of 26^4 name keys, and the
// name criteria of the database's player search.

#include <cstddef>
#include <string>
#include <string_view>

#include "database/database_format.h"

namespace ravelin::database {

enum class NameForm {
    kNoComma,         // "Glen Morrow", "Kasparov"
    kSurnameOnly,     // "Morrow," : nothing after the comma
    kSurnameInitial,  // "Morrow, G" or more after the comma
};

struct KeyName {
    std::string letters;  // the kept letters in lower case, at most 15, before padding
    std::string stored;   // padded with 'q' to four letters: the form in game records
    NameForm form = NameForm::kNoComma;
    // The name holds more than the kept text (more than a surname and an initial).
    bool cut = false;
};

// The key name rule: a '(' before any comma ends the name; with a comma everything up to the first
// character after the comma and its blanks is kept ("Morrow, Glen" gives "Morrow, G"); without one,
// trailing blanks aside, everything up to the first character after the last blank ("Glen Morrow"
// gives "Glen M"). Of that only the letters are kept, in lower case, padded to four with 'q'.
KeyName MakeKeyName(std::string_view value);

// The index of a key name's first four letters.
int KeyIndexOf(std::string_view stored);

// A player criterion of the database search, prepared once.
class PlayerCriterion {
  public:
    PlayerCriterion() = default;
    // The text as typed; a final '?' or '#' is a mode mark for the full-name test.
    explicit PlayerCriterion(std::string_view text);

    bool Given() const { return given_; }
    // The range of key indices to scan: 1, 26, 676 or 17,576 keys after the first.
    int FirstKey() const { return firstKey_; }
    int KeyCount() const { return keyCount_; }
    // Whether a record's key name passes.
    bool Passes(std::string_view recordKeyName) const;
    // Whether the header's full name passes, when the criterion asks for more than the key can tell.
    bool NeedsFullName() const { return fullName_; }
    bool FullNamePasses(std::string_view headerName) const;
    const std::string& Text() const { return text_; }

  private:
    bool PassesExactly(std::string_view key) const;

    bool given_ = false;
    std::string text_;  // without the mode mark
    char mark_ = 0;     // '?', '#' or none
    KeyName key_;
    int firstKey_ = 0;
    int keyCount_ = 0;
    bool fullName_ = false;
};

}  // namespace ravelin::database
