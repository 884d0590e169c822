#!/usr/bin/env bash
# The file association on a freedesktop desktop, under a scratch XDG_DATA_HOME: after a start,
# xdg-mime names our type for a .sudoku file and our desktop entry as its default, and opening
# the file the way the desktop does (the entry's Exec line, through gio) starts the program
# with the file, which it loads.
# Usage: xdg_association_test.sh <stand-in program built from xdg_association_test.cpp>
set -uo pipefail
exe=$(readlink -f "$1")
for tool in xdg-mime gio update-mime-database; do
    command -v $tool >/dev/null || { echo "missing $tool (xdg-utils, libglib2.0-bin, shared-mime-info)"; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config
export XDG_DATA_DIRS=/usr/share QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/run
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_SESSION_VERSION
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
fail=0
expect() {  # expect <what> <expected> <actual>
    if [ "$2" = "$3" ]; then echo "ok   $1: $3"; else echo "FAIL $1: expected '$2', got '$3'"; fail=1; fi
}

# A program folder with a blank, a quote and a dollar sign tests the Exec quoting.
progdir="$tmp/Meine \"Spiele\" \$HOME"
mkdir -p "$progdir" && cp "$exe" "$progdir/zellwerk"
# The user's other associations survive; an older default for our type gives way.
mkdir -p "$XDG_DATA_HOME/applications"
printf '[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\ntext/plain=editor.desktop;\napplication/x-zellwerk-sudoku=other.desktop;\n' \
    > "$XDG_DATA_HOME/applications/mimeapps.list"
ZW_TEST_MODE=register "$progdir/zellwerk" || { echo "FAIL registration run"; exit 1; }

entry=$XDG_DATA_HOME/applications/zellwerk.desktop
[ -f "$entry" ] || { echo "FAIL no desktop entry"; exit 1; }
! command -v desktop-file-validate >/dev/null ||
    expect "desktop-file-validate" "" "$(desktop-file-validate "$entry" 2>&1)"
for size in 16 32 48 64 128 256; do
    [ -s "$XDG_DATA_HOME/icons/hicolor/${size}x${size}/apps/zellwerk.png" ] || { echo "FAIL icon $size"; fail=1; }
done

# Two log lines; the board of the last one is what the program must show after loading.
puzzle="$tmp/Rätsel und Co/probe 1.sudoku"
mkdir -p "$(dirname "$puzzle")"
board1="5                                                                                "
board2="53                                                                               "
printf '%s12:00:00\tEingabe ok.\r\n%s12:00:01\tEingabe ok.\r\n' "$board1" "$board2" > "$puzzle"

expect "filetype" "application/x-zellwerk-sudoku" \
    "$(XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$puzzle")"
expect "default (generic)" "zellwerk.desktop" \
    "$(xdg-mime query default application/x-zellwerk-sudoku)"
expect "default (GNOME)" "zellwerk.desktop" \
    "$(XDG_CURRENT_DESKTOP=GNOME xdg-mime query default application/x-zellwerk-sudoku)"

# Open it as a file manager would: gio runs the default entry's Exec line.
export ZW_TEST_MODE=start ZW_TEST_RESULT=$tmp/result
gio open "$puzzle" 2>"$tmp/gio.err" || { echo "FAIL gio open"; cat "$tmp/gio.err"; fail=1; }
for _ in $(seq 1 100); do [ -s "$tmp/result" ] && break; sleep 0.1; done
[ -s "$tmp/result" ] || { echo "FAIL the program did not start with the file"; fail=1; }
expect "board after opening" "$board2" "$(sed -n 1p "$tmp/result")"
expect "log lines after opening" "2" "$(sed -n 2p "$tmp/result")"
expect "command line" "$puzzle" "$(sed -n 3p "$tmp/result")"

# A later start from elsewhere replaces the entry, keeping one default.
mkdir -p "$tmp/moved" && cp "$exe" "$tmp/moved/zellwerk2"
ZW_TEST_MODE=register "$tmp/moved/zellwerk2"
expect "Exec after a move" "Exec=\"$tmp/moved/zellwerk2\" %f" "$(grep '^Exec=' "$entry")"
expect "other defaults kept" "2" "$(grep -c '^text/plain=editor.desktop;$' "$XDG_DATA_HOME/applications/mimeapps.list")"
expect "one default line" "1" "$(grep -c '^application/x-zellwerk-sudoku=' "$XDG_DATA_HOME/applications/mimeapps.list")"

[ $fail -eq 0 ] && echo "file association test passed"
exit $fail
