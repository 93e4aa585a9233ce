#pragma once

// Finds the player a name belongs to. With Exact two names are one player when they are equal
// ignoring case. Otherwise both are reduced to their letters in lower case up to the first "(",
// and the shorter reduced form must begin the longer one (an empty form matches nothing); among
// several players that fit, the one met first is taken.

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ravelin::statistics {

class PlayerLookup {
  public:
    explicit PlayerLookup(bool exact) : exact_(exact) {}
    // The player index, -1 when the name is new.
    int Find(std::string_view name) const;
    void Add(std::string_view name, int index);

  private:
    std::string Key(std::string_view name) const;
    bool exact_;
    // Each key with the first player who had it.
    std::unordered_map<std::string, int> byKey_;
    // The same keys in order, for the players whose key the searched one begins.
    std::map<std::string, int, std::less<>> sorted_;
};

}  // namespace ravelin::statistics
