// ravelin-engine: the program's engine. It reads the program's engine commands on standard input
// and plays and analyses with a UCI engine as its back end.

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "engine/adapter_loop.h"

int main(int, char**) {
    // The program starts it with one argument ("/xboard"), which changes nothing.
    ravelin::engine::AdapterSettings settings;
    settings.backendPath = ravelin::engine::FindBackend();
    if (const char* depth = std::getenv("RAVELIN_ENGINE_DEPTH"); depth != nullptr) {
        settings.fixedDepth = std::atoi(depth);
    }
    return ravelin::engine::RunAdapter(settings, STDIN_FILENO, STDOUT_FILENO);
}
