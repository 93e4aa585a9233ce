#pragma once

#include <functional>
#include <string_view>

namespace ravelin::eco {

// Error texts go to an error box, information texts to a plain message box.
enum class EcoMessageKind { kError, kInformation };

// Where the ECO functions send the messages meant for the user. The application routes them to
// its message boxes; tests collect them. An empty sink drops the message.
using EcoMessageSink = std::function<void(EcoMessageKind kind, std::string_view text)>;

inline void Report(const EcoMessageSink& sink, EcoMessageKind kind, std::string_view text) {
    if (sink) {
        sink(kind, text);
    }
}

inline constexpr char kEcoTableCorruption[] = "ECO table corruption.";
inline constexpr char kNoMovesToCheck[] = "There are no moves to check.";
inline constexpr char kNoOpeningMatch[] = "No opening match was found.";
inline constexpr char kMustBeInVariationEdit[] = "Must be in 'Variation Edit' or 'Analyze' mode.";

}  // namespace ravelin::eco
