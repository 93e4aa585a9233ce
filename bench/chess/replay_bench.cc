// Replays the main lines of the benchmark corpus through the SAN reader, the way game display,
// searches and tree building will: fill the move list, SetStartPosition, ReplayMoves.
// The movetext tokeniser here is deliberately simple (tags, comments, variations, NAGs, move
// numbers and results skipped); the real parser lives elsewhere.
// Usage: chess_replay_bench [file.pgn.xz ...]   (default: every file of the corpus)
// With RAVELIN_BENCH_SHOW_STOPS set, every refused move is listed on stderr.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"
#include "chess/fen.h"

namespace {

using ravelin::chess::ChessContext;
using ravelin::chess::kMaxMovesPerSide;
using ravelin::chess::kMaxPly;
using ravelin::chess::SanText;

constexpr std::size_t kReadChunk = 1 << 20;
constexpr int kRounds = 3;

// One game's main line as SAN texts, stored flat in Corpus::moves.
struct Game {
    std::size_t firstMove = 0;
    int plies = 0;
    std::string fen;  // empty for the standard start
};

struct Corpus {
    std::vector<SanText> moves;
    std::vector<Game> games;
};

bool IsResult(std::string_view token) {
    return token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*";
}

class MovetextTokeniser {
  public:
    explicit MovetextTokeniser(Corpus& corpus) : corpus_(corpus) {}

    void Line(std::string_view line) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (commentDepth_ == 0 && variationDepth_ == 0 && !line.empty() && line[0] == '[') {
            StartGameIfNeeded();
            if (line.starts_with("[FEN \"")) {
                const std::size_t end = line.find('"', 6);
                current_.fen = std::string(line.substr(6, end == std::string_view::npos ? 0 : end - 6));
            }
            inTags_ = true;
            return;
        }
        if (inTags_) {
            inTags_ = false;
            if (!current_.fen.empty()) {
                blackFirst_ = current_.fen.find(" b ") != std::string::npos;
            }
        }
        std::size_t i = 0;
        while (i < line.size()) {
            const char c = line[i];
            if (commentDepth_ > 0) {
                commentDepth_ = c == '}' ? 0 : commentDepth_;
                ++i;
            } else if (c == '{') {
                commentDepth_ = 1;
                ++i;
            } else if (c == ';') {
                break;
            } else if (c == '(') {
                ++variationDepth_;
                ++i;
            } else if (c == ')') {
                variationDepth_ = variationDepth_ > 0 ? variationDepth_ - 1 : 0;
                ++i;
            } else if (c == ' ' || c == '\t' || c == '.') {
                ++i;
            } else {
                std::size_t end = i;
                while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '{' &&
                       line[end] != '(' && line[end] != ')' && line[end] != ';') {
                    ++end;
                }
                if (variationDepth_ == 0) {
                    Token(line.substr(i, end - i));
                }
                i = end;
            }
        }
    }

    void Finish() { EndGame(); }

  private:
    void StartGameIfNeeded() {
        if (!inTags_) {
            EndGame();
        }
    }

    void EndGame() {
        if (current_.plies > 0) {
            corpus_.games.push_back(current_);
        } else {
            corpus_.moves.resize(current_.firstMove);
        }
        current_ = Game{};
        current_.firstMove = corpus_.moves.size();
        blackFirst_ = false;
    }

    void Token(std::string_view token) {
        if (token[0] == '$' || (token[0] >= '0' && token[0] <= '9' &&
                                token.find_first_not_of("0123456789.") == std::string_view::npos)) {
            return;
        }
        if (IsResult(token)) {
            return;
        }
        // Move numbers glued to the move ("12.Nf3", "12...Nf6").
        const std::size_t dots = token.find_last_of('.');
        if (dots != std::string_view::npos) {
            token.remove_prefix(dots + 1);
            if (token.empty()) {
                return;
            }
        }
        if (current_.plies >= kMaxPly) {
            return;
        }
        if (current_.plies == 0 && blackFirst_) {
            Add("..");
        }
        std::string move(token.substr(0, ravelin::chess::kMaxSanLength));
        if (move.starts_with("0-0")) {
            for (char& ch : move) {
                ch = ch == '0' ? 'O' : ch;
            }
        }
        Add(move);
    }

    void Add(std::string_view move) {
        SanText text{};
        ravelin::chess::SetSanText(text, move);
        corpus_.moves.push_back(text);
        ++current_.plies;
    }

    Corpus& corpus_;
    Game current_{};
    bool inTags_ = false;
    bool blackFirst_ = false;
    int commentDepth_ = 0;
    int variationDepth_ = 0;
};

bool LoadCorpus(const std::string& path, Corpus& corpus) {
    const std::string command = "xz -dc '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return false;
    }
    MovetextTokeniser tokeniser(corpus);
    std::string pending;
    std::vector<char> buffer(kReadChunk);
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        pending.append(buffer.data(), got);
        std::size_t start = 0;
        for (std::size_t end = pending.find('\n'); end != std::string::npos;
             end = pending.find('\n', start)) {
            tokeniser.Line(std::string_view(pending).substr(start, end - start));
            start = end + 1;
        }
        pending.erase(0, start);
    }
    tokeniser.Line(pending);
    tokeniser.Finish();
    return pclose(pipe) == 0;
}

struct ReplayFigures {
    std::uint64_t plies = 0;
    std::uint64_t stoppedGames = 0;
    std::uint64_t fenGames = 0;
    double seconds = 0;
};

// With showStops, every refused move is listed on stderr with the position it was refused in.
ReplayFigures Replay(const Corpus& corpus, ChessContext& context, bool showStops) {
    ReplayFigures figures;
    const auto start = std::chrono::steady_clock::now();
    for (const Game& game : corpus.games) {
        context.moves.Clear();
        for (int ply = 1; ply <= game.plies; ++ply) {
            context.moves.MoveOfPly(ply) = corpus.moves[game.firstMove + static_cast<std::size_t>(ply) - 1];
        }
        context.fenSwitch = !game.fen.empty();
        if (context.fenSwitch) {
            ++figures.fenGames;
            if (!ravelin::chess::ReadFenPlacement(context, "[FEN \"" + game.fen + "\"]")) {
                ++figures.stoppedGames;
                continue;
            }
        }
        ravelin::chess::SetStartPosition(context);
        const int played = ravelin::chess::ReplayMoves(context, kMaxMovesPerSide);
        figures.plies += static_cast<std::uint64_t>(played);
        if (played < game.plies) {
            ++figures.stoppedGames;
            if (showStops) {
                std::fprintf(
                    stderr, "stopped at ply %d: %s %s\n", played + 1,
                    std::string(ravelin::chess::SanView(context.moves.MoveOfPly(played + 1))).c_str(),
                    ravelin::chess::FenOfPly(context, played + 1).c_str());
            }
        }
    }
    figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        files.emplace_back(argv[i]);
    }
    if (files.empty()) {
        for (const auto& entry : std::filesystem::directory_iterator(RAVELIN_BENCH_DATA)) {
            if (entry.path().string().ends_with(".pgn.xz")) {
                files.push_back(entry.path().string());
            }
        }
        std::sort(files.begin(), files.end());
    }
    const auto context = ravelin::chess::MakeChessContext();
    context->batch = true;
    const bool showStops = std::getenv("RAVELIN_BENCH_SHOW_STOPS") != nullptr;
    ReplayFigures total;
    std::uint64_t totalGames = 0;
    std::printf("%-32s %8s %10s %8s %6s %8s %12s\n", "file", "games", "plies", "stopped", "fen", "seconds",
                "plies/s");
    for (const std::string& file : files) {
        Corpus corpus;
        if (!LoadCorpus(file, corpus)) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        // The machine is shared: the best of a few rounds is the figure least disturbed by others.
        ReplayFigures figures = Replay(corpus, *context, showStops);
        for (int round = 1; round < kRounds; ++round) {
            const ReplayFigures again = Replay(corpus, *context, false);
            figures.seconds = std::min(figures.seconds, again.seconds);
        }
        std::printf("%-32s %8zu %10llu %8llu %6llu %8.2f %12.0f\n",
                    std::filesystem::path(file).filename().string().c_str(), corpus.games.size(),
                    static_cast<unsigned long long>(figures.plies),
                    static_cast<unsigned long long>(figures.stoppedGames),
                    static_cast<unsigned long long>(figures.fenGames), figures.seconds,
                    figures.plies / figures.seconds);
        total.plies += figures.plies;
        total.stoppedGames += figures.stoppedGames;
        total.seconds += figures.seconds;
        totalGames += corpus.games.size();
    }
    std::printf(
        "total: %llu games, %llu plies in %.2f s: %.0f plies/s (%llu games stopped at a refused move)\n",
        static_cast<unsigned long long>(totalGames), static_cast<unsigned long long>(total.plies),
        total.seconds, total.plies / total.seconds, static_cast<unsigned long long>(total.stoppedGames));
    return 0;
}
