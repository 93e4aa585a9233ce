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
    const std::string_view key = key_.View();
    const std::size_t k = key.size();
    if (k == 0) {
        // A criterion of nothing but a mode mark: no name has a last letter to differ in.
        return false;
    }
    // The game's key is made a character at a time (the rules of NameKey) and compared as it
    // comes: most names differ in their first character, and nothing is built for them.
    std::size_t i = 0;
    std::size_t made = 0;
    const auto next = [&looked, &i, &made](char& out) {
        for (; i < looked.size() && made < kMaxNameKey; ++i) {
            const char c = looked[i];
            if (IsLetter(c)) {
                out = platform::AsciiLower(c);
            } else if (i == 0 || c == ',') {
                out = c;
            } else if (c == '(') {
                return false;
            } else {
                continue;
            }
            ++i;
            ++made;
            return true;
        }
        return false;
    };
    char c = 0;
    for (std::size_t j = 0; j + 1 < k; ++j) {
        if (!next(c) || c != key[j]) {
            return false;
        }
    }
    // The game's key agrees up to the criterion key's last character.
    if (!next(c)) {
        // "Morrow," also finds a plain "Morrow".
        return mode_ == NameMode::kPrefix && key.back() == ',';
    }
    return mode_ == NameMode::kLastDiffers ? c != key.back() : c == key.back();
}

}  // namespace ravelin::search
