#pragma once

// X.TRH held whole in memory with the place of every record, so that a search reads of each record
// only the values its criteria look at, and records are read independently of one another. The
// records of a file are kept between searches while the file stays the same, and the places are
// kept beside it (X.TRQ, with a compact copy of each record's Result, Date and ECO) for later runs
// of the program, used only while X.TRH is the very file they were taken from.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "search/file_stamp.h"
#include "search/header_match.h"
#include "search/mapped_file.h"

namespace ravelin::search {

class FastHeaderRecords : public std::enable_shared_from_this<FastHeaderRecords> {
  public:
    enum class LoadStatus { kLoaded, kMissing, kNoMemory };

    // The records of X.TRH at path: those kept from an earlier search of the same file (Placed()),
    // else the file mapped whole (read into memory where it cannot be mapped), to be walked with
    // Next. kMissing also for a file too short for its count or not read whole.
    static std::shared_ptr<const FastHeaderRecords> Load(const std::string& path, LoadStatus& status);

    std::int32_t StoredCount() const { return count_; }

    // Not placed yet: the next record's ten values, its place noted; false when the data ends or
    // the record is cut short. Once every record up to the stored count has been walked the
    // records are kept for the searches that follow.
    bool Next(HeaderGameValues& values) const;

    // Placed: every record's place is known, and the records are read independently.
    bool Placed() const { return placed_; }
    // The whole records from the start, up to the stored count (fewer when one is cut short).
    int RecordCount() const { return static_cast<int>(starts_.size()); }
    // The first valueCount values of record (0-based, below RecordCount()), in the file's order:
    // White, Black, Result, Date, ECO, WhiteElo, BlackElo, Round, Event, Site.
    void Read(int record, int valueCount, HeaderGameValues& values) const;
    // The same for a search that looks only at the Date, the ECO code and the outcome: the three
    // from a compact copy made by the walk (a fifth of the bytes), the record itself where one did
    // not fit. The Result may then be cut to its first three characters, which tell the outcome.
    void ReadDateAndEco(int record, HeaderGameValues& values) const;

    // Walks X.TRH at headerPath and writes X.TRQ; false when it could not.
    static bool WritePlacesFile(const std::string& headerPath);

    FastHeaderRecords() = default;
    FastHeaderRecords(const FastHeaderRecords&) = delete;
    FastHeaderRecords& operator=(const FastHeaderRecords&) = delete;

  private:
    struct PlacesLayout;

    LoadStatus Open(const std::string& path);
    // Takes the places from X.TRQ when it was made from this X.TRH; false otherwise.
    bool MapPlaces(const std::string& placesPath);
    bool SavePlaces(const std::string& placesPath) const;
    void Keep() const;

    FileStamp stamp_;
    MappedFile mapped_;
    std::unique_ptr<char[]> buffer_;
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::int32_t count_ = 0;
    // The start of the Result, Date and ECO values of a record, as far as they fit.
    struct DateAndEco {
        static constexpr std::uint8_t kDoesNotFit = 0xff;
        std::array<char, 3> result;
        std::array<char, 10> date;
        std::array<char, 4> eco;
        std::uint8_t resultLength;
        std::uint8_t dateLength;
        std::uint8_t ecoLength;
    };

    // The places: views of the walk's vectors or of the mapped X.TRQ.
    mutable std::span<const std::uint32_t> starts_;
    // Empty when there was no memory for it.
    mutable std::span<const DateAndEco> dateAndEco_;
    // The walk of a search that has the records to itself (an object not kept yet).
    mutable std::vector<std::uint32_t> walkedStarts_;
    mutable std::vector<DateAndEco> walkedDateAndEco_;
    MappedFile mappedPlaces_;
    bool placesMapped_ = false;
    mutable std::size_t pos_ = 0;
    mutable bool placed_ = false;
    std::size_t limit_ = 0;
};

// Forgets the kept records (tests).
void ForgetFastHeaderRecords();

}  // namespace ravelin::search
