#include "utilities/split_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "platform/file_util.h"

namespace ravelin::utilities {

namespace {

// Letter suffix of the 0-based part: a..z, then aa, ab...
std::string LetterSuffix(int part) {
    std::string suffix;
    ++part;
    while (part > 0) {
        --part;
        suffix.insert(suffix.begin(), static_cast<char>('a' + part % 26));
        part /= 26;
    }
    return suffix;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

}  // namespace

int SplitPartCount(int games) {
    return games < kSplitPartGames ? 2 : games / kSplitPartGames + 1;
}

std::vector<SplitPart> PlanSplit(const std::string& path, int games) {
    std::vector<SplitPart> parts;
    if (path.size() < 5 || path[path.size() - 4] != '.') {
        return parts;
    }
    const std::string stem = path.substr(0, path.size() - 4);
    const std::string extension = path.substr(path.size() - 4);
    const bool letters = std::isdigit(static_cast<unsigned char>(stem.back())) != 0;
    const int count = SplitPartCount(games);
    int first = 0;
    for (int part = 0; part < count && first < games; ++part) {
        const int share = part == count - 1 ? games - first : games / count + (part == 0 ? 1 : 0);
        const int taken = std::min(share, games - first);
        if (taken <= 0) {
            break;
        }
        parts.push_back(
            {stem + (letters ? LetterSuffix(part) : std::to_string(part + 1)) + extension, first, taken});
        first += taken;
    }
    return parts;
}

const char* SplitFile(const PgnText& text, const std::vector<SplitPart>& parts,
                      const std::function<bool(const std::string& part)>& overwrite,
                      const UtilityProgress& progress) {
    for (const SplitPart& part : parts) {
        if (Exists(part.path) && !(overwrite && overwrite(part.path))) {
            return kErrorCreatingSplitFile;
        }
    }
    int done = 0;
    for (const SplitPart& part : parts) {
        // Text before the first game goes with the first part.
        std::string contents(part.firstGame == 0 ? text.Preamble() : std::string_view());
        for (int game = part.firstGame; game < part.firstGame + part.games; ++game) {
            ForEachLine(text.Game(game), [&](std::string_view line) {
                contents.append(line);
                contents += "\r\n";
            });
            ++done;
            // A split cannot stop half-way: the answer to a cancel request is the caller's.
            if (progress && ProgressDue(done, text.Count())) {
                progress(done, 0);
            }
        }
        if (!platform::WriteFileReplacing(part.path, contents.data(), contents.size())) {
            return kErrorCreatingSplitFile;
        }
    }
    return nullptr;
}

}  // namespace ravelin::utilities
