# tkscid scid_database.tcl DATABASE WHITE FEN FILE.pgn...: creates a SCID database, imports the
# files in turn, then searches it by White's name and by a position (exact). Prints the games
# imported, the seconds of the import and of each search, and the number each search found.
set basename [lindex $argv 0]
set white [lindex $argv 1]
set fen [lindex $argv 2]
set base [sc_base create $basename]
set started [clock milliseconds]
set games 0
foreach pgnfile [lrange $argv 3 end] {
    set result [sc_base import $base $pgnfile]
    incr games [lindex $result 0]
}
set elapsed [expr {([clock milliseconds] - $started) / 1000.0}]
puts "imported $games seconds $elapsed"

set started [clock milliseconds]
set found [sc_search header -white $white -filter RESET]
set elapsed [expr {([clock milliseconds] - $started) / 1000.0}]
puts "white search found [sc_filter count] seconds $elapsed"

sc_game new
sc_game startBoard $fen
set started [clock milliseconds]
sc_search board RESET Exact false false
set elapsed [expr {([clock milliseconds] - $started) / 1000.0}]
puts "position search found [sc_filter count] seconds $elapsed"
sc_base close $base
exit 0
