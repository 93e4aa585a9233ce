#include "database/database_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "chess/chess_context.h"
#include "chess/move_legality.h"
#include "database/database_io.h"
#include "database/database_journal.h"

namespace ravelin::database {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

Database::~Database() {
    Close();
}

void Database::Close() {
    CloseFd(headerFd_);
    moves_.Unmap();
    positions_.Unmap();
    games_.clear();
    root_.clear();
    count_ = 0;
    open_ = false;
}

const char* Database::Open(const std::string& gamesPath) {
    Close();
    if (!HasDatabaseExtension(gamesPath)) {
        return kNotADatabaseName;
    }
    paths_ = PathsOf(gamesPath);
    RecoverDatabase(paths_);
    if (const ReadStatus status = ReadWholeFile(paths_.games, games_); status != ReadStatus::kOk) {
        return ReadFailureMessage(status);
    }
    headerFd_ = ::open(paths_.header.c_str(), O_RDONLY | O_CLOEXEC);
    const bool mapped = moves_.Map(paths_.moves) && positions_.Map(paths_.positions);
    std::string rootBytes;
    const ReadStatus rootRead = ReadWholeFile(paths_.root, rootBytes);
    if (headerFd_ < 0 || !mapped || rootRead != ReadStatus::kOk) {
        Close();
        return kFileOpenError;
    }
    headerSize_ = FileSizeOf(paths_.header);
    std::string count;
    const int stored = ReadSpan(headerFd_, headerSize_, 0, 4, count)
                           ? ReadI32(reinterpret_cast<const std::uint8_t*>(count.data()))
                           : -1;
    if (games_.size() % kGameRecordSize != 0 || stored < 0 ||
        static_cast<std::size_t>(stored) != games_.size() / kGameRecordSize ||
        !DecodeRootTable(rootBytes, stored, root_)) {
        Close();
        return kRootError;
    }
    count_ = stored;
    open_ = true;
    return nullptr;
}

bool Database::Record(int index, GameRecord& record) const {
    return index >= 0 && index < count_ && DecodeGameRecord(RecordBytes(index), record);
}

bool Database::ReadSpan(int fd, std::int64_t fileSize, std::int64_t offset, std::size_t length,
                        std::string& bytes) const {
    if (offset < 0 || offset + static_cast<std::int64_t>(length) > fileSize) {
        return false;
    }
    bytes.resize(length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd, bytes.data() + done, length - done,
                                    static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool Database::Header(const GameRecord& record, std::string& bytes, HeaderValues& values) const {
    return ReadSpan(headerFd_, headerSize_, record.headerOffset, record.headerLength, bytes) &&
           SplitHeaderRecord(bytes, values) == bytes.size();
}

namespace {

bool RecordShapeFits(std::size_t length) {
    return length >= 4 && length % 2 == 0 && length <= kMaxMovesRecordBytes;
}

}  // namespace

const std::uint8_t* Database::MovesAt(std::int64_t offset, std::size_t length) const {
    return RecordShapeFits(length) ? moves_.At(offset, length) : nullptr;
}

const std::uint8_t* Database::PositionsAt(std::int64_t offset, std::size_t length) const {
    const std::uint8_t* words = RecordShapeFits(length) ? positions_.At(offset, length) : nullptr;
    return words != nullptr && ReadU16(words) == length - 2 ? words : nullptr;
}

bool Database::Moves(const GameRecord& record, std::string& bytes) const {
    const std::size_t length = record.movesLength;
    const std::uint8_t* words = MovesAt(record.movesOffset, length);
    if (words == nullptr) {
        return false;
    }
    // Move words, then exactly one result word at the end.
    for (std::size_t at = 0; at + 2 < length; at += 2) {
        if ((ReadU16(words + at) & search::kResultFlag) != 0 || ReadU16(words + at) == 0) {
            return false;
        }
    }
    if ((ReadU16(words + length - 2) & search::kResultFlag) == 0) {
        return false;
    }
    bytes.assign(reinterpret_cast<const char*>(words), length);
    return true;
}

bool Database::Positions(const GameRecord& record, std::string& bytes) const {
    const std::uint8_t* words = PositionsAt(record.movesOffset, record.movesLength);
    if (words == nullptr) {
        return false;
    }
    bytes.assign(reinterpret_cast<const char*>(words), record.movesLength);
    return true;
}

std::vector<std::string> SanMovesOf(const std::string& movesRecord) {
    std::vector<std::string> moves;
    auto context = chess::MakeChessContext();
    context->batch = true;
    chess::SetStartPosition(*context);
    const auto* words = reinterpret_cast<const std::uint8_t*>(movesRecord.data());
    const int plies = static_cast<int>(movesRecord.size() / 2) - 1;
    for (int ply = 1; ply <= plies && ply <= chess::kMaxPly; ++ply) {
        const search::FastMove word = ReadU16(words + 2 * (ply - 1));
        const int from = search::FastOrigin(word);
        const int to = search::FastDestination(word);
        if (word == search::kNoMoveFound) {
            break;
        }
        switch (word & search::kFastPromotionMask) {
            case search::kFastPromoteKnight:
                context->promotionChoice = chess::kKnight;
                break;
            case search::kFastPromoteBishop:
                context->promotionChoice = chess::kBishop;
                break;
            case search::kFastPromoteRook:
                context->promotionChoice = chess::kRook;
                break;
            default:
                context->promotionChoice = chess::kQueen;
        }
        if (chess::MakeCoordinateMove(*context, true, ply, from / 8 + 1, from % 8 + 1, to / 8 + 1,
                                      to % 8 + 1) != 0) {
            break;
        }
        moves.emplace_back(chess::SanView(context->moves.MoveOfPly(ply)));
    }
    return moves;
}

std::string GamePgnText(const HeaderValues& values, const std::vector<std::string>& sanMoves) {
    static constexpr std::pair<const char*, HeaderValue> kTags[] = {
        {"Event", kEvent},   {"Site", kSite},         {"Date", kDate},
        {"Round", kRound},   {"White", kWhite},       {"Black", kBlack},
        {"Result", kResult}, {"WhiteElo", kWhiteElo}, {"BlackElo", kBlackElo},
    };
    std::string text;
    for (const auto& [name, value] : kTags) {
        text += "[" + std::string(name) + " \"" + std::string(values[value]) + "\"]\r\n";
    }
    if (!values[kEco].empty()) {
        text += "[ECO \"" + std::string(values[kEco]) + "\"]\r\n";
    }
    text += "\r\n";
    std::string line;
    for (std::size_t i = 0; i < sanMoves.size(); i += 2) {
        if (!line.empty()) {
            line += ' ';
        }
        line += std::to_string(i / 2 + 1) + "." + sanMoves[i];
        if (i + 1 < sanMoves.size()) {
            line += " " + sanMoves[i + 1];
        }
        if (line.size() > 71) {
            text += line + "\r\n";
            line.clear();
        }
    }
    text += line + "  " + std::string(values[kResult]) + "\r\n";
    return text;
}

bool ReadGameText(const Database& database, int index, std::string& text) {
    GameRecord record;
    std::string header;
    std::string moves;
    HeaderValues values;
    if (!database.Record(index, record) || !database.Header(record, header, values) ||
        !database.Moves(record, moves)) {
        return false;
    }
    text = GamePgnText(values, SanMovesOf(moves));
    return true;
}

}  // namespace ravelin::database
