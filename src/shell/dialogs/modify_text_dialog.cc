#include "shell/dialogs/modify_text_dialog.h"

#include "gamefile/game_text_adjust.h"

namespace ravelin::shell {

void ModifyTextDialog::Adjust() {
    text = gamefile::AdjustGameText(text, join);
}

}  // namespace ravelin::shell
