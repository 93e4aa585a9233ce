# tkscid scid_tree.tcl DATABASE FILE.pgn LINES: imports the PGN file into a new SCID database, then for
# every line of LINES (SAN moves from the initial position) plays the moves on a new game and times
# one tree of the database for the position reached: the tree filter's position search and the
# statistics of the moves played there, as SCID's tree window makes it. Prints "searches N median-ms mean-ms
# worst-ms". Each position is searched once, so SCID's tree cache never answers.
set basename [lindex $argv 0]
set pgnfile [lindex $argv 1]
set linefile [lindex $argv 2]

set base [sc_base create $basename]
set started [clock milliseconds]
set result [sc_base import $base $pgnfile]
puts "imported [lindex $result 0] seconds [expr {([clock milliseconds] - $started) / 1000.0}]"
sc_base switch $base

set times {}
set in [open $linefile r]
while {[gets $in line] >= 0} {
    sc_game new
    foreach move [split $line " "] {
        if {$move ne ""} { sc_move addSan $move }
    }
    set t [clock microseconds]
    sc_filter search $base tree board
    sc_tree stats $base tree 0 frequency
    lappend times [expr {([clock microseconds] - $t) / 1000.0}]
}
close $in
set sorted [lsort -real $times]
set n [llength $sorted]
set total 0.0
foreach t $times { set total [expr {$total + $t}] }
puts [format "searches %d median %.2f ms mean %.2f ms worst %.2f ms" $n [lindex $sorted [expr {$n / 2}]] \
          [expr {$total / $n}] [lindex $sorted end]]
sc_base close $base
exit 0
