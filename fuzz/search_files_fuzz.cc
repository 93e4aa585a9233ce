// libs: ravelin_search
// Arbitrary bytes as a saved search (.ser) under each load command, and as a directory search's
// result file (searchqq.xyz and its .dir copies) with the file list made from it.
#include <cstdint>
#include <string_view>

#include "search/criteria_file.h"
#include "search/directory_search_file.h"
#include "search/search_criteria.h"
#include "search/search_file_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    using ravelin::search::CriteriaLoadCommand;
    for (CriteriaLoadCommand command : {CriteriaLoadCommand::kVariation, CriteriaLoadCommand::kPosition,
                                        CriteriaLoadCommand::kHeader, CriteriaLoadCommand::kCombination}) {
        ravelin::search::SearchCriteria criteria;
        ravelin::search::DecodeCriteriaFile(bytes, command, criteria);
    }
    ravelin::search::ResultFile file;
    if (ravelin::search::DecodeResultFile(bytes, file)) {
        for (bool narrow : {false, true}) {
            ravelin::search::BuildSearchFileList(file, ravelin::search::AverageTextWidth, narrow);
        }
    }
    return 0;
}
