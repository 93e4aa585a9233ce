#!/bin/sh
# Screenshots of the three board sizes, each from an options file that asks for that size.
# Run from the repository root after building; BIN names the desktop program.
set -e
BIN=${BIN:-build-nav/src/app/ravelin}
PGN=tests/data/pgn/anastasian-lewis.pgn
for size in 0 1 2; do
  dir=${TMPDIR:-/tmp}/ravelin-shot-$size
  rm -rf $dir && mkdir -p $dir
  QT_QPA_PLATFORM=offscreen $BIN --workdir $dir --screenshot $dir/first.png $PGN 2>/dev/null
  python3 - $dir/savinfo.opt $size <<'PY'
import struct, sys
path, size = sys.argv[1], int(sys.argv[2])
data = bytearray(open(path, 'rb').read())
struct.pack_into('<i', data, 0x03B8, size)   # board size
struct.pack_into('<i', data, 0x032C, 1)      # display opening
open(path, 'wb').write(data)
PY
  name=$(echo small medium large | cut -d' ' -f$((size+1)))
  QT_QPA_PLATFORM=offscreen $BIN --workdir $dir --screenshot docs/board-$name.png --game 1 --ply 23 $PGN 2>/dev/null
done
# The column format with the last move framed thick, on the small board.
dir=${TMPDIR:-/tmp}/ravelin-shot-column
rm -rf $dir && mkdir -p $dir
QT_QPA_PLATFORM=offscreen $BIN --workdir $dir --screenshot $dir/first.png $PGN 2>/dev/null
python3 - $dir/savinfo.opt <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
struct.pack_into('<i', data, 0x03AC, 2)      # highlight last move: thick
struct.pack_into('<i', data, 0x087C, 1)      # column format
open(path, 'wb').write(data)
PY
QT_QPA_PLATFORM=offscreen $BIN --workdir $dir --screenshot docs/column-format.png --game 1 --ply 23 $PGN 2>/dev/null
# The game buttons, and the annotation list with its scroll bar on a long comment, on the small board.
dir=${TMPDIR:-/tmp}/ravelin-shot-buttons
rm -rf $dir && mkdir -p $dir
QT_QPA_PLATFORM=offscreen $BIN --workdir $dir --screenshot $dir/first.png $PGN 2>/dev/null
python3 - $dir/savinfo.opt <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
struct.pack_into('<i', data, 0x03E0, 1)      # display game buttons
open(path, 'wb').write(data)
PY
QT_QPA_PLATFORM=offscreen $BIN --workdir $dir --screenshot docs/game-buttons.png --game 1 --ply 17 \
  tests/data/pgn/world_matches.pgn 2>/dev/null
