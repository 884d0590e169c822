#!/usr/bin/env bash
# The built Help.pdf is a real PDF and names every menu and menu command by its caption; every
# technique family has a page of its own with its example board.
set -uo pipefail
pdf=$1
command -v pdftotext >/dev/null || { echo "pdftotext missing (poppler-utils)"; exit 1; }
text=$(pdftotext -enc UTF-8 "$pdf" - 2>&1) || { echo "not a readable PDF: $pdf"; echo "$text"; exit 1; }
# Line breaks inside table cells must not hide a caption.
text=$(printf '%s' "$text" | tr '\n' ' ' | tr -s ' ')
captions=("Datei" "Drucken" "Neu" "Öffnen..." "Speichern" "Speichern unter..." "Beenden"
    "Bearbeiten" "Rückgängig" "Wiederherstellen" "Kopieren" "Ausschneiden" "Einfügen" "Alles löschen"
    "SuDoKu" "Statistik" "Lösen" "Alle Lösungen suchen" "Generieren" "Heft erstellen" "Abbrechen"
    "Tipp" "Fehler suchen" "Schwierigkeit" "Rätsel als Text" "Menü „?“" "Hilfe" "Info" "Log einblenden" "Normal"
    "Schwer" ".sudoku")
missing=0
for caption in "${captions[@]}"; do
    [[ "$text" == *"$caption"* ]] || { echo "missing caption: $caption"; missing=1; }
done
families=$(grep -o "Auf der Leiter" <<<"$text" | wc -l)
if command -v pdfimages >/dev/null; then
    pictures=$(pdfimages -list "$pdf" | tail -n +3 | wc -l)
    if [ "$families" -eq 0 ] || [ "$pictures" -lt "$families" ]; then
        echo "$families technique families, but $pictures example boards"
        missing=1
    fi
fi
# The technique chapter ends the help, a family to a page: a page after its first family page
# without a family of its own is a family's text running over.
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
seen=0
for ((page = 1; page <= pages; page++)); do
    if pdftotext -f $page -l $page -enc UTF-8 "$pdf" - | grep -q "Auf der Leiter"; then
        seen=1
    elif [ $seen -eq 1 ]; then
        echo "page $page: a technique family's text runs over from the page before"
        missing=1
    fi
done
[ $missing -eq 0 ] && echo "Help.pdf holds every caption and every family's example board"
exit $missing
