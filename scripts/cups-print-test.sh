#!/bin/bash
# Prints the board through the real "&Drucken" action on a CUPS queue and reads the page back.
#
#   scripts/cups-print-test.sh [BUILD_DIR]     (default: build/release; needs its Qt tests)
#
# Installs cups and printer-driver-cups-pdf when missing, starts cupsd when it is not running,
# adds a cups-pdf queue and makes it the default printer, runs the print tests of qt_paper_test
# (one on that queue, one printing into a PDF file through the same code path), and then
# removes the queue, restores the old default and stops the cupsd it started. Where cupsd
# cannot start, the queue test is skipped with the reason and only the PDF-file test runs.
set -u
cd "$(dirname "$0")/.."
build=${1:-build/release}
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
for package in cups printer-driver-cups-pdf poppler-utils; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" \
        >/dev/null 2>&1 || run_file_test_only "could not install ${missing[*]}"
fi

scheduler_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

cupsd_pid=""
if ! scheduler_running; then
    if pidof cupsd >/dev/null; then
        run_file_test_only "a cupsd runs but does not answer"
    fi
    /usr/sbin/cupsd 2>/tmp/cups-print-test.err || run_file_test_only "cupsd did not start: $(cat /tmp/cups-print-test.err)"
    for _ in $(seq 50); do scheduler_running && break; sleep 0.2; done
    cupsd_pid=$(pidof cupsd)
    scheduler_running || run_file_test_only "cupsd started but does not answer"
fi

queue=ZellwerkTestPDF
old_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
out=""
before=""
cleanup() {
    # The pages this run printed go too, unless ZW_KEEP_PRINTS is set.
    if [ -n "$out" ] && [ -z "${ZW_KEEP_PRINTS:-}" ]; then
        for f in "$out"/*.pdf; do
            [ -e "$f" ] && ! grep -qxF "$f" <<<"$before" && rm -f "$f"
        done
    fi
    lpadmin -x "$queue" 2>/dev/null
    [ -n "$old_default" ] && lpadmin -d "$old_default" 2>/dev/null
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.2; done
    fi
}
trap cleanup EXIT

if ! lpadmin -p "$queue" -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null ||
    ! lpadmin -d "$queue"; then
    run_file_test_only "the cups-pdf queue could not be added"
fi
export LPDEST=$queue  # a personal default in ~/.cups/lpoptions would win over the system's

# cups-pdf writes a user's jobs into the folder its "Out" setting names (${HOME} expanded).
out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -n 1)
out=${out:-'${HOME}/PDF'}
out=${out//\$\{HOME\}/$HOME}
mkdir -p "$out"
before=$(ls -1 "$out"/*.pdf 2>/dev/null || true)

echo "cups-print-test: printing on queue $queue, pages land in $out"
ZW_CUPS_PDF_DIR=$out "$test_bin" --gtest_filter='Print.*'
