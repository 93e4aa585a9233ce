#include "database/key_name.h"

#include "search/name_key.h"

namespace ravelin::database {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

KeyName MakeKeyName(std::string_view value) {
    KeyName key;
    const std::size_t paren = value.find('(');
    const std::size_t comma = value.find(',');
    if (paren != std::string_view::npos && (comma == std::string_view::npos || paren < comma)) {
        value = value.substr(0, paren);
    }
    std::string_view kept;
    if (comma != std::string_view::npos && comma < value.size()) {
        std::size_t after = comma + 1;
        while (after < value.size() && value[after] == ' ') {
            ++after;
        }
        key.form = after < value.size() ? NameForm::kSurnameInitial : NameForm::kSurnameOnly;
        kept = value.substr(0, after < value.size() ? after + 1 : after);
    } else {
        value = TrimRight(value);
        const std::size_t blank = value.rfind(' ');
        kept = blank == std::string_view::npos ? value : value.substr(0, blank + 2);
    }
    key.cut = TrimRight(value).size() > kept.size();
    for (const char c : kept) {
        if (IsLetter(c) && key.letters.size() < kMaxKeyNameLetters) {
            key.letters.push_back(static_cast<char>(c | 0x20));
        }
    }
    key.stored = key.letters;
    while (key.stored.size() < 4) {
        key.stored.push_back('q');
    }
    return key;
}

int KeyIndexOf(std::string_view stored) {
    int index = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = i < static_cast<int>(stored.size()) ? stored[i] : 'q';
        index = index * 26 + (c >= 'a' && c <= 'z' ? c - 'a' : 'q' - 'a');
    }
    return index;
}

PlayerCriterion::PlayerCriterion(std::string_view text) {
    text = TrimRight(text);
    if (!text.empty() && (text.back() == '?' || text.back() == '#')) {
        mark_ = text.back();
        text.remove_suffix(1);
    }
    text_ = std::string(text);
    given_ = !text_.empty() || mark_ != 0;
    if (!given_) {
        return;
    }
    key_ = MakeKeyName(text_);
    const std::size_t k = key_.letters.size();
    if (k == 0 || k >= 4) {
        firstKey_ = KeyIndexOf(key_.stored);
        keyCount_ = 1;
    } else {
        std::string first = key_.letters;
        first.append(4 - k, 'a');
        firstKey_ = KeyIndexOf(first);
        keyCount_ = k == 3 ? 26 : k == 2 ? 676 : 17576;
    }
    fullName_ = mark_ != 0 || key_.cut;
}

bool PlayerCriterion::PassesExactly(std::string_view key) const {
    const std::string_view letters = key_.letters.empty() ? std::string_view(key_.stored) : key_.letters;
    const std::size_t k = letters.size();
    if (key.substr(0, k) != letters) {
        return false;
    }
    switch (key_.form) {
        case NameForm::kSurnameOnly:
            return key.size() == k || key.size() == k + 1;
        case NameForm::kNoComma:
            return key.size() >= k;
        case NameForm::kSurnameInitial:
            return key.size() == k;
    }
    return false;
}

bool PlayerCriterion::Passes(std::string_view recordKeyName) const {
    if (PassesExactly(recordKeyName)) {
        return true;
    }
    // A short name was padded with 'q' to four letters: "Li, C" is stored as "licq". Without the
    // padding it is compared as the name it came from.
    if (recordKeyName.size() == 4) {
        std::string_view unpadded = recordKeyName;
        while (!unpadded.empty() && unpadded.back() == 'q') {
            unpadded.remove_suffix(1);
            if (PassesExactly(unpadded)) {
                return true;
            }
        }
    }
    return false;
}

bool PlayerCriterion::FullNamePasses(std::string_view headerName) const {
    if (!fullName_) {
        return true;
    }
    if (mark_ == '#') {
        return headerName == text_;
    }
    const std::string withMark = mark_ == '?' ? text_ + "?" : text_;
    return search::NameCriterion(withMark).Matches(headerName);
}

}  // namespace ravelin::database
