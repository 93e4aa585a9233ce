#include <gtest/gtest.h>

#include "shell/menus.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

// Every item of every menu reaches a command of its own: none answers that it is not built.
TEST(MenuCommands, EveryItemOfEveryMenuHasItsCommand) {
    testing_support::OwnSession session;
    std::vector<int> missing;
    for (const std::string_view name : MenuNames()) {
        for (const int id : CommandIdsOf(BuildMenu(name))) {
            if (!session.window.Handlers().Has(id)) {
                missing.push_back(id);
            }
        }
    }
    EXPECT_EQ(missing, std::vector<int>{});
}

}  // namespace
}  // namespace ravelin::shell
