#!/usr/bin/env bash
# Brings translations/quillary_*.ts up to date with the texts of the sources: new texts are added
# untranslated (type="unfinished"), texts no longer in the sources are dropped. Run it after adding
# or changing user-visible texts, then translate what it added; tst_translations fails while any
# text lacks a translation.
set -euo pipefail
cd "$(dirname "$0")/../.."
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
for ts in translations/quillary_*.ts; do
    "$lupdate" -locations none -no-obsolete core ui app cli -ts "$ts"
done
