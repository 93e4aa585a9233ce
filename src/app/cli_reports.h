#pragma once

#include <ostream>

namespace ravelin::app {

// `diagram FILE N --ply P --bmp|--jpeg|--html OUT [--flip] [--colour] [--border B] [--style S]`:
// the position after ply P of game N as a picture or as an HTML page with its images beside it.
// `html FILE N OUT`: the annotation page of game N (its moves, comments and the final position).
// Both return 0, 1 when the file, game or ply is not there or the output cannot be written, 2 on
// a bad argument.
bool IsReportCommand(const char* command);
int RunReportCommand(const char* command, int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace ravelin::app
