#include "chess/nag_text.h"

#include <array>
#include <cstdio>

namespace ravelin::chess {

namespace {

constexpr int kFirstTableNag = 1;
constexpr int kLastTableNag = 139;
constexpr int kNagAtLeastEqual = 142;
constexpr int kNagNovelty = 146;
// Enough for "$Unknown NAG " and any int.
constexpr std::size_t kNagTextBufferSize = 40;

// The texts of NAGs 1 to 139, in NAG order.
constexpr std::array<std::string_view, kLastTableNag> kNagTable = {
    "Good move",
    "Poor move",
    "Very good move",
    "Very poor move",
    "Interesting move",
    "Questionable move",
    "Forced move",
    "No reasonable alternatives",
    "Worst move",
    "Drawish position",
    "Equal chances",
    "Equal chances, active position",
    "Unclear position",
    "White has a slight advantage",
    "Black has a slight advantage",
    "White has a moderate advantage",
    "Black has a moderate advantage",
    "White has a decisive advantage",
    "Black has a decisive advantage",
    "White has a crushing advantage (Black should resign)",
    "Black has a crushing advantage (White should resign)",
    "White is in zugzwang",
    "Black is in zugzwang",
    "White has a slight space advantage",
    "Black has a slight space advantage",
    "White has a moderate space advantage",
    "Black has a moderate space advantage",
    "White has a decisive space advantage",
    "Black has a decisive space advantage",
    "White has a slight time (development) advantage",
    "Black has a slight time (development) advantage",
    "White has a moderate time (development) advantage",
    "Black has a moderate time (development) advantage",
    "White has a decisive time (development) advantage",
    "Black has a decisive time (development) advantage",
    "White has the initiative",
    "Black has the initiative",
    "White has a lasting initiative",
    "Black has a lasting initiative",
    "White has the attack",
    "Black has the attack",
    "White has insufficient compensation for material deficit",
    "Black has insufficient compensation for material deficit",
    "White has sufficient compensation for material deficit",
    "Black has sufficient compensation for material deficit",
    "White has more than adequate compensation for material deficit",
    "Black has more than adequate compensation for material deficit",
    "White has a slight center control advantage",
    "Black has a slight center control advantage",
    "White has a moderate center control advantage",
    "Black has a moderate center control advantage",
    "White has a decisive center control advantage",
    "Black has a decisive center control advantage",
    "White has a slight kingside control advantage",
    "Black has a slight kingside control advantage",
    "White has a moderate kingside control advantage",
    "Black has a moderate kingside control advantage",
    "White has a decisive kingside control advantage",
    "Black has a decisive kingside control advantage",
    "White has a slight queenside control advantage",
    "Black has a slight queenside control advantage",
    "White has a moderate queenside control advantage",
    "Black has a moderate queenside control advantage",
    "White has a decisive queenside control advantage",
    "Black has a decisive queenside control advantage",
    "White has a vulnerable first rank",
    "Black has a vulnerable first rank",
    "White has a well protected first rank",
    "Black has a well protected first rank",
    "White has a poorly protected king",
    "Black has a poorly protected king",
    "White has a well protected king",
    "Black has a well protected king",
    "White has a poorly placed king",
    "Black has a poorly placed king",
    "White has a well placed king",
    "Black has a well placed king",
    "White has a very weak pawn structure",
    "Black has a very weak pawn structure",
    "White has a moderately weak pawn structure",
    "Black has a moderately weak pawn structure",
    "White has a moderately strong pawn structure",
    "Black has a moderately strong pawn structure",
    "White has a very strong pawn structure",
    "Black has a very strong pawn structure",
    "White has poor knight placement",
    "Black has poor knight placement",
    "White has good knight placement",
    "Black has good knight placement",
    "White has poor bishop placement",
    "Black has poor bishop placement",
    "White has good bishop placement",
    "Black has good bishop placement",
    "White has poor rook placement",
    "Black has poor rook placement",
    "White has good rook placement",
    "Black has good rook placement",
    "White has poor queen placement",
    "Black has poor queen placement",
    "White has good queen placement",
    "Black has good queen placement",
    "White has poor piece coordination",
    "Black has poor piece coordination",
    "White has good piece coordination",
    "Black has good piece coordination",
    "White has played the opening very poorly",
    "Black has played the opening very poorly",
    "White has played the opening poorly",
    "Black has played the opening poorly",
    "White has played the opening well",
    "Black has played the opening well",
    "White has played the opening very well",
    "Black has played the opening very well",
    "White has played the middlegame very poorly",
    "Black has played the middlegame very poorly",
    "White has played the middlegame poorly",
    "Black has played the middlegame poorly",
    "White has played the middlegame well",
    "Black has played the middlegame well",
    "White has played the middlegame very well",
    "Black has played the middlegame very well",
    "White has played the ending very poorly",
    "Black has played the ending very poorly",
    "White has played the ending poorly",
    "Black has played the ending poorly",
    "White has played the ending well",
    "Black has played the ending well",
    "White has played the ending very well",
    "Black has played the ending very well",
    "White has slight counterplay",
    "Black has slight counterplay",
    "White has moderate counterplay",
    "Black has moderate counterplay",
    "White has decisive counterplay",
    "Black has decisive counterplay",
    "White has moderate time control pressure",
    "Black has moderate time control pressure",
    "White has severe time control pressure",
    "Black has severe time control pressure",
};

}  // namespace

std::string_view NagTableText(int nag) {
    if (nag < kFirstTableNag || nag > kLastTableNag) {
        return {};
    }
    return kNagTable[static_cast<std::size_t>(nag - kFirstTableNag)];
}

std::string NagText(int nag, NagTextMode mode) {
    char buffer[kNagTextBufferSize];
    switch (mode) {
        case NagTextMode::kGameWriting:
            std::snprintf(buffer, sizeof buffer, "$%d", nag);
            return buffer;
        case NagTextMode::kColumnText:
            std::snprintf(buffer, sizeof buffer, "$%d$", nag);
            return buffer;
        case NagTextMode::kDisplay:
            break;
    }
    if (nag == kNagAtLeastEqual) {
        return "$>=$";
    }
    if (nag == kNagNovelty) {
        return "$Novelty$";
    }
    const std::string_view text = NagTableText(nag);
    if (text.empty()) {
        std::snprintf(buffer, sizeof buffer, "$Unknown NAG %d$", nag);
        return buffer;
    }
    std::string shown;
    shown.reserve(text.size() + 2);
    shown += '$';
    shown += text;
    shown += '$';
    return shown;
}

int ReadNagNumber(std::string_view digits, std::size_t* used) {
    long long value = 0;
    std::size_t i = 0;
    while (i < digits.size() && digits[i] >= '0' && digits[i] <= '9') {
        if (value < kMaxNagNumber) {
            value = value * 10 + (digits[i] - '0');
        }
        ++i;
    }
    if (used != nullptr) {
        *used = i;
    }
    return value > kMaxNagNumber ? kMaxNagNumber : static_cast<int>(value);
}

}  // namespace ravelin::chess
