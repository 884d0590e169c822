#!/bin/bash
# Prints the board through the real "&Drucken" action on a CUPS queue and reads the page back.
#
#   scripts/cups-print-test.sh [BUILD_DIR]     (default: build/release; needs its Qt tests)
#
# Runs a private CUPS scheduler of its own: configuration, spool, logs, cache and state under
# BUILD_DIR/cups, listening only on a Unix socket there; CUPS_SERVER points lpadmin, lpstat and
# the program at it. The system's scheduler, its queues and its default printer are never
# touched, and the private cupsd stops when the script ends. Its one queue uses the CUPS-PDF
# PostScript driver; a small backend of this script's own turns each job into a PDF in
# BUILD_DIR/cups/out (cups-pdf's own backend would read its system-wide settings and write into
# the user's home). Then the print tests of qt_paper_test run: one on that queue as the default
# printer, one printing into a PDF file through the same code path. Where cupsd cannot run, the
# queue test is skipped with the reason and only the PDF-file test runs.
set -u
cd "$(dirname "$0")/.."
build=$(cd "${1:-build/release}" && pwd) || exit 2
test_bin=$build/tests/qt/qt_paper_test
if [ ! -x "$test_bin" ]; then
    echo "cups-print-test: $test_bin is missing; build the Qt tests first" >&2
    exit 2
fi
export QT_QPA_PLATFORM=offscreen

run_file_test_only() {
    echo "cups-print-test: SKIPPED the CUPS queue test: $1"
    "$test_bin" --gtest_filter='Print.TheDruckenActionPrintsTheBoardAndTheFooter'
    exit $?
}

missing=()
for package in cups-daemon cups-client printer-driver-cups-pdf ghostscript poppler-utils; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo -n"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}" \
        >/dev/null 2>&1 || run_file_test_only "could not install ${missing[*]}"
fi
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[ -x "$cupsd" ] || run_file_test_only "cupsd is not installed"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -r "$ppd" ] || run_file_test_only "$ppd is missing"

dir=$build/cups
rm -rf "$dir"
mkdir -p "$dir/etc" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/bin/backend" "$dir/out"
# A Unix socket path holds at most 107 bytes; a deep build tree gets a short one elsewhere.
sock=$dir/cups.sock
sockdir=""
if [ ${#sock} -gt 100 ]; then
    sockdir=$(mktemp -d)
    sock=$sockdir/cups.sock
fi

# The scheduler's programs: the system's filters and helpers, and only our own backend.
for part in /usr/lib/cups/*; do
    [ "$(basename "$part")" = backend ] || ln -s "$part" "$dir/bin/$(basename "$part")"
done
cat >"$dir/bin/backend/zellwerk-pdf" <<'EOF'
#!/bin/sh
# zellwerk-pdf:/FOLDER - PostScript in, a PDF named job-N.pdf in FOLDER out. Written under
# another name first, so a reader of the folder never sees half a file.
if [ $# -eq 0 ]; then
    echo 'file zellwerk-pdf "Unknown" "Zellwerk test PDF"'
    exit 0
fi
out=${DEVICE_URI#zellwerk-pdf:}
gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite -sOutputFile="$out/job-$1.part" "${6:--}" ||
    exit 1
mv "$out/job-$1.part" "$out/job-$1.pdf"
EOF
# Private to its owner: a cupsd running as root then runs it as root rather than as lp, so it
# may write into the build tree.
chmod 0700 "$dir/bin/backend/zellwerk-pdf"

cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
ServerBin $dir/bin
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice No
EOF
cat >"$dir/etc/cupsd.conf" <<EOF
Listen $sock
LogLevel info
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

cupsd_pid=""
cleanup() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.2; done
        kill -9 "$cupsd_pid" 2>/dev/null
        wait "$cupsd_pid" 2>/dev/null
    fi
    [ -n "$sockdir" ] && rm -rf "$sockdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER=$sock
unset PRINTER
for _ in $(seq 50); do
    kill -0 "$cupsd_pid" 2>/dev/null || break
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
done
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    why=$(cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tail -n 3 | tr '\n' ' ')
    run_file_test_only "the private cupsd did not start: ${why:-no answer on $sock}"
fi

queue=ZellwerkTestPDF
if ! lpadmin -p "$queue" -v "zellwerk-pdf:$dir/out" -P "$ppd" -E 2>"$dir/log/lpadmin.err" ||
    ! lpadmin -d "$queue" 2>>"$dir/log/lpadmin.err"; then
    run_file_test_only "the queue could not be added: $(tr '\n' ' ' <"$dir/log/lpadmin.err")"
fi
export LPDEST=$queue  # a personal default in ~/.cups/lpoptions would win over the scheduler's
# The test prints at once: the scheduler must call the queue the default, enabled and accepting.
ready() {
    lpstat -d 2>/dev/null | grep -q ": $queue\$" &&
        lpstat -p "$queue" 2>/dev/null | grep -q 'enabled' &&
        lpstat -a "$queue" 2>/dev/null | grep -q "^$queue accepting"
}
for _ in $(seq 50); do ready && break; sleep 0.2; done
ready || run_file_test_only "the scheduler does not report $queue as a ready default queue"

echo "cups-print-test: printing on queue $queue of a private cupsd ($sock), pages land in $dir/out"
ZW_CUPS_PDF_DIR=$dir/out "$test_bin" --gtest_filter='Print.*'
status=$?
if [ $status -ne 0 ]; then
    echo "cups-print-test: the private scheduler's error log:"
    tail -n 30 "$dir/log/error_log" 2>/dev/null
fi
exit $status
