#!/usr/bin/env bash
# The built Help.pdf is a real PDF and names every menu and menu command by its caption.
set -uo pipefail
pdf=$1
command -v pdftotext >/dev/null || { echo "pdftotext missing (poppler-utils)"; exit 1; }
text=$(pdftotext -enc UTF-8 "$pdf" - 2>&1) || { echo "not a readable PDF: $pdf"; echo "$text"; exit 1; }
# Line breaks inside table cells must not hide a caption.
text=$(printf '%s' "$text" | tr '\n' ' ' | tr -s ' ')
captions=("Datei" "Drucken" "Neu" "Öffnen..." "Speichern" "Speichern unter..." "Beenden"
    "Bearbeiten" "Rückgängig" "Wiederherstellen" "Kopieren" "Ausschneiden" "Einfügen" "Alles löschen"
    "SuDoKu" "Statistik" "Lösen" "Alle Lösungen suchen" "Generieren" "Heft erstellen" "Abbrechen"
    "Tipp" "Fehler suchen" "Rätsel als Text" "Menü „?“" "Hilfe" "Info" "Log einblenden" "Normal"
    "Schwer" ".sudoku")
missing=0
for caption in "${captions[@]}"; do
    [[ "$text" == *"$caption"* ]] || { echo "missing caption: $caption"; missing=1; }
done
[ $missing -eq 0 ] && echo "Help.pdf holds every caption"
exit $missing
