# tkscid scid_import.tcl DATABASE FILE.pgn: creates a new SCID database and imports the PGN file,
# then prints the number of games imported and the seconds the import took.
set basename [lindex $argv 0]
set pgnfile [lindex $argv 1]
set base [sc_base create $basename]
set started [clock milliseconds]
set result [sc_base import $base $pgnfile]
set elapsed [expr {([clock milliseconds] - $started) / 1000.0}]
puts "imported [lindex $result 0] seconds $elapsed"
sc_base close $base
exit 0
