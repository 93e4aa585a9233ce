// libs: ravelin_search ravelin_chess ravelin_platform
// The indexes kept beside a fast file, X.TRP (position index) and X.TRQ (header record places),
// damaged after they were written. Each is trusted only while its stamp names the fast file beside
// it, so the input gives the fast file pair and the damage: the program writes both indexes for
// that pair, the damage changes bytes of their tables (behind the stamp, so the tables' own checks
// are what stands between them and the searches), and the indexes are mapped and searched.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz_files.h"
#include "search/header_fast_records.h"
#include "search/position_index.h"

namespace {

namespace search = ravelin::search;

constexpr std::size_t kStampSize = 64;  // the header of both files, kept whole

// Damage: three bytes each, a 16-bit place in the tables and a byte XORed there.
void Damage(const std::string& path, std::string_view damage) {
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (bytes.size() <= kStampSize) {
        return;
    }
    for (std::size_t at = 0; at + 3 <= damage.size(); at += 3) {
        const auto place = static_cast<std::size_t>(static_cast<std::uint8_t>(damage[at]) |
                                                    static_cast<std::uint8_t>(damage[at + 1]) << 8);
        bytes[kStampSize + place % (bytes.size() - kStampSize)] ^= damage[at + 2];
    }
    // Written in place: the stamp is of the fast file, not of these bytes.
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

search::PositionQuery QueryOf(std::string_view bytes) {
    static constexpr int kCodes[] = {1, 2, 3, 4, 5, 6, 11, 12, 13, 14, 15, 16};
    search::PositionQuery query;
    for (std::size_t at = 0; at + 2 <= bytes.size() && query.placements.size() < 4; at += 2) {
        search::PiecePlacement placement;
        placement.square = static_cast<std::uint8_t>(bytes[at]) % 64;
        placement.code =
            static_cast<ravelin::chess::PieceCode>(kCodes[static_cast<std::uint8_t>(bytes[at + 1]) % 12]);
        query.placements.push_back(placement);
    }
    return query;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = ravelin::fuzz::SplitParts(data, size, 5);
    const std::string base = ravelin::fuzz::ScratchDirectory() + "/games.";
    ravelin::fuzz::WriteBytes(base + "TRF", parts[0]);
    ravelin::fuzz::WriteBytes(base + "TRH", parts[1]);

    if (const auto built = search::PositionSearchIndex::Build(base + "TRF");
        built && built->Save(base + "TRP")) {
        Damage(base + "TRP", parts[2]);
        if (const auto kept = search::PositionSearchIndex::Load(base + "TRF", base + "TRP")) {
            search::SearchResult result;
            kept->SearchRange(
                QueryOf(parts[4]), 0, kept->GameCount(), [] { return false; }, result);
            for (int game = 0; game < kept->GameCount(); ++game) {
                int plies = 0;
                kept->RecordWords(game, plies);
                static_cast<void>(kept->Outcome(game));
            }
            static_cast<void>(kept->EndWordFollows());
        }
    }

    if (search::FastHeaderRecords::WritePlacesFile(base + "TRH")) {
        Damage(base + "TRQ", parts[3]);
        search::FastHeaderRecords::LoadStatus status;
        if (const auto records = search::FastHeaderRecords::Load(base + "TRH", status); records) {
            search::HeaderGameValues values;
            if (records->Placed()) {
                for (int record = 0; record < records->RecordCount(); ++record) {
                    records->Read(record, 10, values);
                    records->ReadDateAndEco(record, values);
                }
            } else {
                while (records->Next(values)) {
                }
            }
        }
    }
    return 0;
}
