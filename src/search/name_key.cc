#include "search/name_key.h"

#include <algorithm>
#include <cstring>

#include "platform/text_case.h"

namespace ravelin::search {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

NameKey::NameKey(std::string_view name) {
    for (std::size_t i = 0; i < name.size() && length_ < chars_.size(); ++i) {
        const char c = name[i];
        if (IsLetter(c)) {
            chars_[length_++] = platform::AsciiLower(c);
        } else if (i == 0) {
            chars_[length_++] = c;
        } else if (c == ',') {
            chars_[length_++] = c;
        } else if (c == '(') {
            break;
        }
    }
}

NameCriterion::NameCriterion(std::string_view text) {
    if (text.empty()) {
        return;
    }
    given_ = true;
    if (text.back() == '#') {
        mode_ = NameMode::kExact;
        text.remove_suffix(1);
    } else if (text.back() == '?') {
        mode_ = NameMode::kLastDiffers;
        text.remove_suffix(1);
    }
    textLength_ = std::min(text.size(), text_.size());
    std::memcpy(text_.data(), text.data(), textLength_);
    key_ = NameKey(std::string_view(text_.data(), textLength_));
    look_ = textLength_ + 2;
    if (look_ > kNameLookLimit && textLength_ < kNameLookLimit) {
        look_ = kNameLookLimit;
    }
}

bool NameCriterion::Matches(std::string_view gameName) const {
    const std::string_view looked = gameName.substr(0, std::min(gameName.size(), look_));
    const std::string_view text(text_.data(), textLength_);
    if (mode_ == NameMode::kExact) {
        return looked == text;
    }
    const NameKey gameKey(looked);
    const std::string_view game = gameKey.View();
    const std::string_view key = key_.View();
    const std::size_t k = key.size();
    if (k == 0) {
        // A criterion of nothing but a mode mark: no name has a last letter to differ in.
        return false;
    }
    if (mode_ == NameMode::kLastDiffers) {
        return game.size() >= k && game.substr(0, k - 1) == key.substr(0, k - 1) && game[k - 1] != key[k - 1];
    }
    if (game.size() >= k && game.substr(0, k) == key) {
        return true;
    }
    // "Morrow," also finds a plain "Morrow".
    return key.back() == ',' && game.size() == k - 1 && game == key.substr(0, k - 1);
}

}  // namespace ravelin::search
