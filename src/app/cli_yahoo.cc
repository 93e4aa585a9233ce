#include "app/cli_yahoo.h"

#include <ostream>
#include <string>

#include "yahoo/yahoo_convert.h"

namespace ravelin::app {

int RunYahooCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
    if (argc != 2) {
        err << "usage: ravelin-cli yahoo IN OUT\n";
        return 2;
    }
    const yahoo::ConversionResult result =
        yahoo::ConvertYahooFile(argv[0], argv[1], "", yahoo::ConversionHooks{});
    if (result.failure != nullptr) {
        err << result.failure << "\n";
        return 1;
    }
    out << "Games: " << result.games << "\n";
    return 0;
}

}  // namespace ravelin::app
