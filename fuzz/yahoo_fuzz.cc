// libs: ravelin_yahoo ravelin_gamefile ravelin_chess
// Arbitrary bytes as a Yahoo game text: every record read is converted to PGN as the conversion
// command does, through the movetext parser and the board.
#include <cstdint>
#include <string_view>

#include "yahoo/yahoo_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const ravelin::yahoo::YahooRecord& record : ravelin::yahoo::ReadYahooRecords(text)) {
        ravelin::yahoo::ConvertedGameText(record);
    }
    return 0;
}
