#include "statistics/player_lookup.h"

#include <algorithm>

#include "statistics/player_scores.h"

namespace ravelin::statistics {

std::string PlayerLookup::Key(std::string_view name) const {
    if (!exact_) {
        return ReducedName(name);
    }
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return key;
}

int PlayerLookup::Find(std::string_view name) const {
    const std::string key = Key(name);
    if (key.empty()) {
        return -1;
    }
    if (exact_) {
        const auto found = byKey_.find(key);
        return found == byKey_.end() ? -1 : found->second;
    }
    int best = -1;
    auto take = [&best](int index) {
        if (best < 0 || index < best) {
            best = index;
        }
    };
    // Players whose key begins this one...
    for (std::size_t length = 1; length <= key.size(); ++length) {
        const auto found = byKey_.find(key.substr(0, length));
        if (found != byKey_.end()) {
            take(found->second);
        }
    }
    // ...and players whose key this one begins.
    for (auto it = sorted_.lower_bound(key); it != sorted_.end() && it->first.starts_with(key); ++it) {
        take(it->second);
    }
    return best;
}

void PlayerLookup::Add(std::string_view name, int index) {
    std::string key = Key(name);
    if (key.empty()) {
        return;
    }
    if (byKey_.emplace(key, index).second && !exact_) {
        sorted_.emplace(std::move(key), index);
    }
}

}  // namespace ravelin::statistics
