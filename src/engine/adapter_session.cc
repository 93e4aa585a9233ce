#include "engine/adapter_session.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <utility>

#include "chess/fen.h"

namespace ravelin::engine {

namespace {

constexpr int kScoreDepth = 12;
constexpr char kHelpText[] =
    "commands: new, go, force (move now), undo, reset N, back [N], setboard FEN, read FILE,\n"
    "analyze, score, clock, level M T I, otime N, white, black, resign, draw, name X, ponder off,\n"
    "display general, display variation, exit; a move in SAN plays it";

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

int NumberOr(const std::string& text, int fallback) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9) {
        return fallback;
    }
    return std::stoi(text);
}

// The full move number a FEN text gives (its sixth field), 1 when missing or odd.
int MoveNumberOf(const std::string& fen) {
    const std::vector<std::string> fields = Words(fen);
    return fields.size() >= 6 ? std::max(1, NumberOr(fields[5], 1)) : 1;
}

bool IsResultToken(const std::string& token) {
    return token == "*" || token == "1-0" || token == "0-1" || token == "1/2-1/2";
}

// A movetext token without its move number ("12.", "12...Nf3", "1.e4" give "", "Nf3", "e4").
std::string WithoutMoveNumber(const std::string& token) {
    std::size_t at = 0;
    while (at < token.size() && std::isdigit(static_cast<unsigned char>(token[at]))) {
        ++at;
    }
    if (at == 0 || at >= token.size() || token[at] != '.') {
        return token;
    }
    while (at < token.size() && token[at] == '.') {
        ++at;
    }
    return token.substr(at);
}

std::string ScoreText(const std::vector<std::string>& words, std::size_t at, bool whiteToMove) {
    // "score cp N" or "score mate N", from the mover's side; shown from White's.
    if (at + 2 >= words.size()) {
        return {};
    }
    const int sign = whiteToMove ? 1 : -1;
    const int value = std::atoi(words[at + 2].c_str()) * sign;
    char text[32];
    if (words[at + 1] == "mate") {
        std::snprintf(text, sizeof text, "%sMat%02d", value < 0 ? "-" : "+", std::abs(value));
    } else {
        std::snprintf(text, sizeof text, "%+.2f", value / 100.0);
    }
    return text;
}

}  // namespace

AdapterSession::AdapterSession(AdapterSettings settings, LineSink toProgram, LineSink toBackend)
    : settings_(std::move(settings)), toProgram_(std::move(toProgram)), toBackend_(std::move(toBackend)) {
    baseFen_ = std::string(chess::kStartFen);
}

void AdapterSession::Start() {
    Say("Ravelin engine adapter 1.0, back end " + settings_.backendPath);
    Uci("uci");
    Uci("setoption name Threads value 1");
    Uci("setoption name Hash value 16");
    Uci("isready");
    Uci("ucinewgame");
}

void AdapterSession::Finish() {
    if (search_ != Search::kNone) {
        Uci("stop");
    }
    Uci("quit");
}

bool AdapterSession::HandleProgramLine(const std::string& line) {
    const std::string command = Trimmed(line);
    if (command.empty()) {
        return true;
    }
    // The program may end the adapter at any time; a stop request plays the best move found so far.
    if (Lower(command) == "exit" || Lower(command) == "quit") {
        return false;
    }
    if (command == "." || command == "?") {
        return true;
    }
    if (Lower(command) == "force" && search_ == Search::kPlay && !waitingForStop_) {
        StopSearch(true);
        return true;
    }
    // Questions that leave the game alone are answered at once, even while the engine thinks.
    static constexpr std::string_view kImmediate[] = {"clock", "name",  "ponder", "display", "help",
                                                      "draw",  "level", "otime",  "time",    "hard",
                                                      "easy",  "white", "black"};
    const std::string verb = Lower(Words(command)[0]);
    if (search_ != Search::kNone &&
        std::find(std::begin(kImmediate), std::end(kImmediate), verb) != std::end(kImmediate)) {
        return Execute(command);
    }
    queue_.push_back(command);
    return Drain();
}

bool AdapterSession::Drain() {
    while (!queue_.empty() && !waitingForStop_) {
        if (search_ != Search::kNone) {
            // Every other command waits until the search under way has stopped.
            StopSearch(false);
            return true;
        }
        std::string command = std::move(queue_.front());
        queue_.pop_front();
        if (!Execute(command)) {
            return false;
        }
    }
    return true;
}

std::string AdapterSession::PositionCommand() const {
    std::string text = "position fen " + baseFen_;
    if (!moves_.empty()) {
        text += " moves";
        for (const PlayedMove& move : moves_) {
            text += " " + move.uci;
        }
    }
    return text;
}

bool AdapterSession::SetBase(const std::string& fen, const std::string& source) {
    const std::string problem = PositionProblem(fen);
    if (!problem.empty()) {
        Say("Error (illegal position): " + problem + " in " + source);
        return false;
    }
    baseFen_ = fen;
    baseMoveNumber_ = MoveNumberOf(fen);
    moves_.clear();
    readPlies_ = 0;
    // The program moves next; the adapter takes the other side.
    engineWhite_ = !WhiteToMove(fen);
    Uci("ucinewgame");
    return true;
}

void AdapterSession::NewGame() {
    analysing_ = false;
    SetBase(std::string(chess::kStartFen), "new");
    clockStart_ = std::chrono::steady_clock::now();
}

void AdapterSession::ReadGameFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        Say("Error (cannot open file): " + path);
        return;
    }
    std::string fen(chess::kStartFen);
    std::vector<std::string> tokens;
    for (std::string line; std::getline(in, line);) {
        line = Trimmed(line);
        if (line.empty() || line[0] == '%') {
            continue;
        }
        if (line[0] == '[') {
            const std::size_t open = line.find('"');
            if (line.rfind("[FEN ", 0) == 0 && open != std::string::npos) {
                fen = line.substr(open + 1, line.find('"', open + 1) - open - 1);
            }
            continue;
        }
        for (const std::string& word : Words(line)) {
            tokens.push_back(word);
        }
    }
    std::string position = fen;
    std::vector<PlayedMove> played;
    for (const std::string& token : tokens) {
        const std::string move = WithoutMoveNumber(token);
        if (move.empty() || IsResultToken(move) || move.find_first_not_of('.') == std::string::npos) {
            continue;
        }
        PlayedMove next;
        if (!PlaySanMove(position, move, next)) {
            Say("Error (illegal move in " + path + "): " + move);
            return;
        }
        position = next.fen;
        played.push_back(std::move(next));
    }
    if (!SetBase(fen, path)) {
        return;
    }
    moves_ = std::move(played);
    // The game read is where taking back stops, and where "reset" counts from.
    readPlies_ = static_cast<int>(moves_.size());
    engineWhite_ = !WhiteToMove(CurrentFen());
    clockStart_ = std::chrono::steady_clock::now();
    if (analysing_) {
        StartSearch(Search::kAnalyse);
    }
}

void AdapterSession::TakeBack(int plies) {
    plies = std::clamp(plies, 0, static_cast<int>(moves_.size()) - readPlies_);
    moves_.resize(moves_.size() - static_cast<std::size_t>(plies));
    clockStart_ = std::chrono::steady_clock::now();
}

bool AdapterSession::Execute(const std::string& command) {
    const std::vector<std::string> words = Words(command);
    const std::string verb = Lower(words[0]);
    const std::string rest = Trimmed(command.substr(words[0].size()));
    if (verb == "new") {
        NewGame();
    } else if (verb == "go") {
        engineWhite_ = WhiteToMove(CurrentFen());
        StartSearch(Search::kPlay);
    } else if (verb == "force") {
        // Play the best move now: a search under way was stopped before this; start one when none.
        engineWhite_ = WhiteToMove(CurrentFen());
        StartSearch(Search::kPlay);
    } else if (verb == "ponder" || verb == "display" || verb == "name" || verb == "hard" || verb == "easy") {
        if (verb == "name" && !rest.empty()) {
            Say("Hello, " + rest + ".");
        }
    } else if (verb == "level" && words.size() >= 4) {
        movesPerSession_ = NumberOr(words[1], 0);
        whiteClockMs_ = blackClockMs_ = std::max(1, NumberOr(words[2], 5)) * 60000LL;
        incrementMs_ = NumberOr(words[3], 0) * 1000LL;
    } else if (verb == "otime" || verb == "time") {
        // Centiseconds; the adapter keeps one clock for each side and sets both.
        if (words.size() >= 2) {
            whiteClockMs_ = blackClockMs_ = std::max(1, NumberOr(words[1], 30000)) * 10LL;
        }
    } else if (verb == "read") {
        ReadGameFile(rest);
    } else if (verb == "setboard") {
        std::string reason;
        const std::string fen = FenOfSetboard(rest, reason);
        if (fen.empty()) {
            Say("Error (illegal position): " + reason);
        } else if (SetBase(fen, "setboard") && analysing_) {
            StartSearch(Search::kAnalyse);
        }
    } else if (verb == "undo") {
        TakeBack(1);
        if (analysing_) {
            StartSearch(Search::kAnalyse);
        }
    } else if (verb == "back") {
        TakeBack(words.size() >= 2 ? NumberOr(words[1], 1) : 1);
        if (analysing_) {
            StartSearch(Search::kAnalyse);
        }
    } else if (verb == "reset") {
        // Back to move N of the moves played since the position was set up (White to move there).
        const int keep = readPlies_ + 2 * (std::max(1, words.size() >= 2 ? NumberOr(words[1], 1) : 1) - 1);
        TakeBack(static_cast<int>(moves_.size()) - std::min(keep, static_cast<int>(moves_.size())));
        if (EngineToMove()) {
            StartSearch(Search::kPlay);
        }
    } else if (verb == "analyze" || verb == "analyse") {
        analysing_ = true;
        StartSearch(Search::kAnalyse);
    } else if (verb == "score") {
        StartSearch(Search::kScore);
    } else if (verb == "white" || verb == "black") {
        engineWhite_ = verb == "black";
    } else if (verb == "clock") {
        Say(ClockText());
    } else if (verb == "resign") {
        Say(engineWhite_ ? "0-1 {Black resigns}" : "1-0 {White resigns}");
    } else if (verb == "draw") {
        Say("Draw declined.");
    } else if (verb == "help") {
        std::istringstream help(kHelpText);
        for (std::string line; std::getline(help, line);) {
            Say(line);
        }
    } else {
        UserMove(command);
    }
    return true;
}

void AdapterSession::UserMove(const std::string& text) {
    PlayedMove move;
    const std::string word = Words(text)[0];
    if (text.find(' ') != std::string::npos || !std::isalpha(static_cast<unsigned char>(word[0]))) {
        Say("Error (unknown command): " + text);
        return;
    }
    if (!PlaySanMove(CurrentFen(), word, move)) {
        // Only texts that look like moves are reported as illegal moves.
        const bool moveLike =
            word.rfind("O-O", 0) == 0 ||
            (word.size() >= 2 && word.size() <= 8 && std::isdigit(static_cast<unsigned char>(word.back())));
        Say(moveLike ? "Illegal move: " + text : "Error (unknown command): " + text);
        return;
    }
    ChargeClock();
    moves_.push_back(move);
    AfterMove(move);
}

bool AdapterSession::GameOver(const PlayedMove& move) {
    if (move.checkmate) {
        Say(WhiteToMove(move.fen) ? "0-1 {Black mates}" : "1-0 {White mates}");
        return true;
    }
    if (move.stalemate) {
        Say("1/2-1/2 {stalemate}");
        return true;
    }
    return false;
}

void AdapterSession::AfterMove(const PlayedMove& move) {
    if (GameOver(move)) {
        return;
    }
    if (analysing_) {
        StartSearch(Search::kAnalyse);
    } else if (EngineToMove()) {
        StartSearch(Search::kPlay);
    }
}

void AdapterSession::StartSearch(Search kind) {
    bool inCheck = false;
    if (HasNoLegalMove(CurrentFen(), inCheck)) {
        Say(inCheck ? (WhiteToMove(CurrentFen()) ? "0-1 {Black mates}" : "1-0 {White mates}")
                    : "1/2-1/2 {stalemate}");
        return;
    }
    Uci(PositionCommand());
    lastDepthShown_ = 0;
    lastScore_.clear();
    search_ = kind;
    clockStart_ = std::chrono::steady_clock::now();
    if (kind == Search::kAnalyse) {
        Uci("go infinite");
    } else if (kind == Search::kScore) {
        Uci("go depth " + std::to_string(settings_.fixedDepth > 0 ? settings_.fixedDepth : kScoreDepth));
    } else if (settings_.fixedDepth > 0) {
        Uci("go depth " + std::to_string(settings_.fixedDepth));
    } else {
        std::string go = "go wtime " + std::to_string(std::max(whiteClockMs_, 100LL)) + " btime " +
                         std::to_string(std::max(blackClockMs_, 100LL)) + " winc " +
                         std::to_string(incrementMs_) + " binc " + std::to_string(incrementMs_);
        if (movesPerSession_ > 0) {
            const int played = static_cast<int>(moves_.size()) / 2;
            go += " movestogo " + std::to_string(std::max(1, movesPerSession_ - played % movesPerSession_));
        }
        Uci(go);
    }
}

void AdapterSession::StopSearch(bool playResult) {
    playStoppedResult_ = playResult;
    waitingForStop_ = true;
    Uci("stop");
}

void AdapterSession::HandleBackendLine(const std::string& line) {
    const std::vector<std::string> words = Words(line);
    if (words.empty()) {
        return;
    }
    if (words[0] == "info" && (search_ == Search::kAnalyse || search_ == Search::kScore)) {
        AnalysisLine(line);
    } else if (words[0] == "bestmove") {
        const Search finished = search_;
        const bool stopped = waitingForStop_;
        const bool play = !stopped || playStoppedResult_;
        search_ = Search::kNone;
        waitingForStop_ = false;
        playStoppedResult_ = false;
        if (finished == Search::kPlay && play && words.size() >= 2) {
            BestMove(words[1]);
        } else if (finished == Search::kScore && (!stopped || !lastScore_.empty())) {
            Say("score " + (lastScore_.empty() ? std::string("0.00") : lastScore_) + " (from White's side)");
        }
        Drain();
        // An analysis interrupted only to let a command through carries on.
        if (analysing_ && search_ == Search::kNone && queue_.empty() && finished == Search::kAnalyse) {
            StartSearch(Search::kAnalyse);
        }
    }
}

void AdapterSession::AnalysisLine(const std::string& info) {
    const std::vector<std::string> words = Words(info);
    int depth = 0;
    std::string score;
    std::vector<std::string> pv;
    bool bound = false;
    for (std::size_t at = 1; at < words.size(); ++at) {
        if (words[at] == "depth" && at + 1 < words.size()) {
            depth = NumberOr(words[at + 1], 0);
        } else if (words[at] == "score" && at + 2 < words.size()) {
            score = ScoreText(words, at, WhiteToMove(CurrentFen()));
        } else if (words[at] == "lowerbound" || words[at] == "upperbound") {
            bound = true;
        } else if (words[at] == "pv") {
            pv.assign(words.begin() + static_cast<long>(at) + 1, words.end());
            break;
        }
    }
    if (depth == 0 || pv.empty() || score.empty() || bound || depth == lastDepthShown_) {
        return;
    }
    lastDepthShown_ = depth;
    lastScore_ = score;
    if (search_ == Search::kAnalyse) {
        char head[32];
        std::snprintf(head, sizeof head, "%3d %8s   ", depth, score.c_str());
        Say(head + SanLine(pv));
    }
}

std::string AdapterSession::SanLine(const std::vector<std::string>& ucis) const {
    std::string fen = CurrentFen();
    int number = baseMoveNumber_ + (static_cast<int>(moves_.size()) + (WhiteToMove(baseFen_) ? 0 : 1)) / 2;
    std::string text;
    bool first = true;
    for (const std::string& uci : ucis) {
        PlayedMove move;
        const bool white = WhiteToMove(fen);
        if (!PlayUciMove(fen, uci, move)) {
            break;
        }
        if (white) {
            text += (text.empty() ? "" : " ") + std::to_string(number) + ". ";
        } else if (first) {
            text += std::to_string(number) + "... ";
        } else {
            text += " ";
        }
        text += move.san;
        if (!white) {
            ++number;
        }
        first = false;
        fen = move.fen;
    }
    return text;
}

void AdapterSession::BestMove(const std::string& uci) {
    PlayedMove move;
    if (!PlayUciMove(CurrentFen(), uci, move)) {
        Say("Error (back end move not playable): " + uci);
        return;
    }
    ChargeClock();
    moves_.push_back(move);
    Say("move " + move.san);
    GameOver(move);
}

void AdapterSession::ChargeClock() {
    const auto now = std::chrono::steady_clock::now();
    const long long spent = std::chrono::duration_cast<std::chrono::milliseconds>(now - clockStart_).count();
    long long& clock = WhiteToMove(CurrentFen()) ? whiteClockMs_ : blackClockMs_;
    clock = std::max(0LL, clock - spent) + incrementMs_;
    clockStart_ = now;
}

std::string AdapterSession::ClockText() const {
    auto format = [](long long ms) {
        char text[32];
        std::snprintf(text, sizeof text, "%lld:%02lld", ms / 60000, (ms / 1000) % 60);
        return std::string(text);
    };
    return "time remaining: White " + format(whiteClockMs_) + ", Black " + format(blackClockMs_);
}

}  // namespace ravelin::engine
