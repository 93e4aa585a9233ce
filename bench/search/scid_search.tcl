# tkscid scid_search.tcl DATABASE FILE.pgn QUERIES RUNS: imports the PGN file into a new SCID
# database (timed on its own), then runs every query of the QUERIES file RUNS times in this one
# process and prints "name games median-ms min-ms" per query. A query line is
# name<TAB>kind<TAB>argument, kind one of
#   board   an exact position search (sc_filter search ... board Exact) for the FEN argument
#   header  a header search with the argument as its option list (-eco {B90 B99} -date {...})
#   player  the player with either colour: -white NAME, then -black NAME added to the filter
set basename [lindex $argv 0]
set pgnfile [lindex $argv 1]
set queryfile [lindex $argv 2]
set runs [lindex $argv 3]

set base [sc_base create $basename]
set started [clock milliseconds]
set result [sc_base import $base $pgnfile]
puts "imported [lindex $result 0] seconds [expr {([clock milliseconds] - $started) / 1000.0}]"
sc_base switch $base

proc search_once {base kind argument} {
    switch $kind {
        board {
            sc_game new
            sc_game startBoard $argument
            sc_filter reset $base dbfilter full
            sc_filter search $base dbfilter board Exact 0 0 -filter AND
        }
        header {
            sc_filter reset $base dbfilter full
            sc_filter search $base dbfilter header {*}$argument -filter AND
        }
        player {
            sc_filter reset $base dbfilter empty
            sc_filter search $base dbfilter header -white $argument -filter OR
            sc_filter search $base dbfilter header -black $argument -filter OR
        }
    }
    return [sc_filter count $base dbfilter]
}

set in [open $queryfile r]
while {[gets $in line] >= 0} {
    if {$line eq "" || [string index $line 0] eq "#"} { continue }
    lassign [split $line "\t"] name kind argument
    set times {}
    for {set i 0} {$i < $runs} {incr i} {
        set t [clock microseconds]
        set count [search_once $base $kind $argument]
        lappend times [expr {([clock microseconds] - $t) / 1000.0}]
    }
    set times [lsort -real $times]
    puts [format "%s %d %.1f %.1f" $name $count [lindex $times [expr {$runs / 2}]] [lindex $times 0]]
}
close $in
sc_base close $base
exit 0
