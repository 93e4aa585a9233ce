#pragma once

// The adapter's side of the dialog: the program's commands come in as lines, the UCI back end's
// answers as lines, and what the program reads goes out as whole lines. The session keeps the game
// (a start position and the moves played), the clocks and the search under way; it never blocks.

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/adapter_position.h"

namespace ravelin::engine {

struct AdapterSettings {
    std::string backendPath;
    // A fixed search depth for play and scores (0: by the clock); analysis always runs until told.
    int fixedDepth = 0;
};

class AdapterSession {
  public:
    using LineSink = std::function<void(const std::string&)>;
    AdapterSession(AdapterSettings settings, LineSink toProgram, LineSink toBackend);

    // The banner and the back end's handshake.
    void Start();
    // One line from the program; false once the session must end (exit).
    bool HandleProgramLine(const std::string& line);
    // One line from the back end.
    void HandleBackendLine(const std::string& line);
    // Before the session ends: the search is stopped and the back end told to quit.
    void Finish();

  private:
    enum class Search { kNone, kPlay, kAnalyse, kScore };

    // Runs queued commands until one waits for the back end to stop.
    bool Drain();
    bool Execute(const std::string& line);
    void Say(const std::string& line) { toProgram_(line); }
    void Uci(const std::string& line) { toBackend_(line); }

    const std::string& CurrentFen() const { return moves_.empty() ? baseFen_ : moves_.back().fen; }
    std::string PositionCommand() const;
    // Sets a new start position after checking it; false (with the message said) when refused.
    bool SetBase(const std::string& fen, const std::string& source);
    void NewGame();
    void ReadGameFile(const std::string& path);
    void TakeBack(int plies);
    void UserMove(const std::string& text);
    // After a move: the game's result when it ended, then the engine's turn or the analysis.
    void AfterMove(const PlayedMove& move);
    bool GameOver(const PlayedMove& move);
    void StartSearch(Search kind);
    // Asks a running search to stop; its best move is dropped unless it is to be played.
    void StopSearch(bool playResult);
    void BestMove(const std::string& uci);
    void AnalysisLine(const std::string& info);
    std::string SanLine(const std::vector<std::string>& ucis) const;
    void ChargeClock();
    std::string ClockText() const;
    bool EngineToMove() const { return engineWhite_ == WhiteToMove(CurrentFen()); }

    AdapterSettings settings_;
    LineSink toProgram_;
    LineSink toBackend_;
    std::deque<std::string> queue_;
    bool waitingForStop_ = false;  // a stop was sent; commands wait for the best move
    bool playStoppedResult_ = false;

    std::string baseFen_;
    int baseMoveNumber_ = 1;
    std::vector<PlayedMove> moves_;
    int readPlies_ = 0;  // the moves of the last game read: the floor of taking back
    bool engineWhite_ = false;
    bool analysing_ = false;
    Search search_ = Search::kNone;
    int lastDepthShown_ = 0;
    std::string lastScore_;

    // Clocks in milliseconds; the side to move's clock runs from clockStart_.
    long long whiteClockMs_ = 5 * 60 * 1000;
    long long blackClockMs_ = 5 * 60 * 1000;
    long long incrementMs_ = 0;
    int movesPerSession_ = 0;
    std::chrono::steady_clock::time_point clockStart_ = std::chrono::steady_clock::now();
};

}  // namespace ravelin::engine
