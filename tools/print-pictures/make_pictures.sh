#!/usr/bin/env bash
# Renders the README's pictures of printing from the sample address book beside this script:
# the first postcard (hagaki) as the preview shows it, and the first sheet of mailing labels.
# Needs build/cli/quillary-cli and pdftoppm (poppler-utils).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cli="$root/build/cli/quillary-cli"
sample="$root/tools/print-pictures/sample.vcf"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$cli" print "$sample" --style hagaki --sender 2 --show-background -o "$work/hagaki.pdf"
pdftoppm -png -r 110 -f 1 -l 1 -singlefile "$work/hagaki.pdf" "$root/docs/print-hagaki"
"$cli" print "$sample" --style labels -o "$work/labels.pdf"
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/labels.pdf" "$root/docs/print-labels"
echo "docs/print-hagaki.png docs/print-labels.png"
