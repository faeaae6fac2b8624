#!/usr/bin/env bash
# Regenerates the sample lists in data/samples/ from the list generator:
#   recovered-disk.csv  one list of a whole disk, with a few hand-picked lines
#   recovered-disk.zip  two lists of one disk and a note from the lab
# Usage: bench/make-samples.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
gen="$build/bench/corvane-gen-list"
out="data/samples"

cmake --build "$build" --target corvane-gen-list >/dev/null
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# UTF-8 text to Windows-1252 with CR LF line ends.
to_list() { iconv -f UTF-8 -t WINDOWS-1252 | sed 's/$/\r/'; }

# The disk: generated lines, then one folder of hand-picked ones: folders
# that differ only in case, programs, every status word, deeper levels.
"$gen" --lines 420 --seed 2009 "$work/disk.csv" 2>/dev/null
to_list >"$work/picked.csv" <<'LINES'
Data\Büro Señor García,2011-03-02 09:14:51,0,16;5A0C11E2,Recovered
Data\Büro Señor García\Docs,2011-03-02 09:15:07,0,16;0B7E44A9,Recovered
Data\Büro Señor García\docs,2012-07-19 17:40:22,0,16;C2D5F160,Recovered
Data\Büro Señor García\Software,2010-11-08 12:01:33,0,16;77A0E3D4,Recovered
Data\Büro Señor García\Kontakte Müller.xls,2011-02-27 16:22:10,48640,32;9D31A7E2,Recovered
Data\Büro Señor García\Docs\Angebot Straße 12.docx,2011-03-04 10:05:44,38912,32;1F4C2B90,Recovered
Data\Büro Señor García\Docs\Rechnung € 2500.pdf,2011-03-09 14:48:02,211348,33;E6A09C15,Partially recovered
Data\Büro Señor García\Docs\Lebenslauf Zoë Šimon.doc,2009-10-12 08:30:19,64000,32;3B8E7D01,Damaged
Data\Büro Señor García\Docs\IMG_2.jpg,2011-04-01 18:12:55,1843211,32;A4F1C6D7,Recovered
Data\Büro Señor García\Docs\IMG_10.jpg,2011-04-01 18:13:40,1790036,32;5C22E9B3,Recovered
Data\Büro Señor García\Docs\2009,2009-12-30 11:00:00,0,16;0DD4E1F8,Recovered
Data\Büro Señor García\Docs\2009\Déclaration Février.pdf,2009-02-16 09:41:27,402113,32;66B1AC30,Overwritten
Data\Büro Señor García\Docs\2009\Angebote\Entwürfe\Kostenvoranschlag Küche v2.docx,2009-06-03 15:27:08,29184,32;F08E5D6A,Recovered
Data\Büro Señor García\Docs\2009\Angebote\Entwürfe\Kostenvoranschlag Küche v3.docx,2009-06-05 11:02:51,30720,32;8A7C0E49,Not recovered
Data\Büro Señor García\Docs\2009\Angebote\Entwürfe\Ærø Ålesund Peña.txt,2009-06-07 20:19:33,1822,34;2E90B7C4,Recovered
Data\Büro Señor García\docs\readme.txt,2012-07-19 17:41:03,912,32;47D3A0BE,Recovered
Data\Büro Señor García\docs\Übersicht 2012.xlsx,2012-07-20 09:55:12,27311,32;B19F6E25,Recovered
Data\Büro Señor García\Software\setup.exe,2010-11-08 12:02:10,4718592,32;C7E5A913,Recovered
Data\Büro Señor García\Software\Lexware buchhalter\lxbuch.exe,2010-11-08 12:05:47,9437184,33;1A6BF082,Partially recovered
Data\Büro Señor García\Software\Lexware buchhalter\Lizenz.txt,2010-11-08 12:05:47,3410,32;D0E47C5B,Recovered
LINES
cat "$work/disk.csv" "$work/picked.csv" >"$out/recovered-disk.csv"

# The archive: two lists of one disk and the lab's note, with fixed times so
# that a rerun gives the same bytes.
"$gen" --lines 360 --seed 41 --kind documents --top Disk1 "$work/disk1-documents.csv" 2>/dev/null
"$gen" --lines 300 --seed 42 --kind media --top Disk1 "$work/disk1-media.csv" 2>/dev/null
to_list >"$work/notes.txt" <<'NOTE'
Recovery report, case 2026-1187
Disk 1 (Seagate 500 GB, clicking heads) was imaged in our clean room.
The recovered files are split into two lists:
  disk1-documents.csv - office documents, mail and projects
  disk1-media.csv     - photos, music and videos
Status "Recovered" means the file was copied whole and its check code matches.
"Partially recovered" and "Damaged" files open, but parts may be missing.
"Overwritten" and "Not recovered" files cannot be restored.
Please tick the files you need and send us your approval by e-mail.
Kind regards, the recovery lab
NOTE
rm -f "$out/recovered-disk.zip"
touch -d '2026-11-30 10:00:00 UTC' "$work/disk1-documents.csv" "$work/disk1-media.csv" "$work/notes.txt"
(cd "$work" && TZ=UTC zip -X -q -9 recovered-disk.zip disk1-documents.csv disk1-media.csv notes.txt)
mv "$work/recovered-disk.zip" "$out/recovered-disk.zip"
ls -l "$out/recovered-disk.csv" "$out/recovered-disk.zip"
