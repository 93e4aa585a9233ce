#pragma once

// The engine's dialogs: "Crafty Game Info" (how a game against the engine is played) and "Crafty
// Position Info" (the side to move, castling rights and en passant square of a position sent to it).

#include <string>

#include "engine/engine_files.h"
#include "engine/engine_protocol.h"
#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kCraftyGameInfoTitle[] = "Crafty Game Info";
inline constexpr char kCraftyPositionInfoTitle[] = "Crafty Position Info";
inline constexpr std::size_t kTimeFieldLength = 7;
inline constexpr std::size_t kEnPassantFieldLength = 8;

class CraftyGameInfoDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kCraftyGameInfoTitle; }
    std::string Validate() override;

    engine::PlayOptions options;
    bool continueGame = false;  // not kept: off each time the dialog opens
};

class CraftyPositionInfoDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kCraftyPositionInfoTitle; }
    std::string Validate() override;

    engine::PositionInfo info;
};

}  // namespace ravelin::shell
