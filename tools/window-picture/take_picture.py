#!/usr/bin/env python3
"""Takes the pictures of a document window that the README shows, on a virtual X display.

Standard library only; needs Xvfb (Debian: xvfb, xauth; see scripts/deps.sh) and a built quillary.
The application opens the sample address book with settings of its own (the user's are not read),
draws its window once and writes it as PNG through its hidden --screenshot option. Without --out
it takes four pictures: light and dark palettes, in English and in Japanese.

    python3 tools/window-picture/take_picture.py      # docs/window.png, window-dark.png, window-ja.png, window-ja-dark.png
    python3 tools/window-picture/take_picture.py --app build/app/quillary --out /tmp/w.png --lang ja --dark FILE.vcf
"""

import argparse
import os
import pathlib
import subprocess
import sys
import tempfile


VARIANTS = [("window.png", "en", False), ("window-dark.png", "en", True),
            ("window-ja.png", "ja", False), ("window-ja-dark.png", "ja", True)]


def take(app, out, file, view_type, lang, dark):
    with tempfile.TemporaryDirectory() as home:
        locale = "ja_JP.UTF-8" if lang == "ja" else "C.UTF-8"
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=home, LANG=locale, LC_ALL=locale)
        env.pop("QT_QPA_PLATFORM", None)
        command = ["xvfb-run", "-a", "-s", "-screen 0 1280x800x24", app,
                   f"--screenshot={os.path.abspath(out)}", f"--view-type={view_type}", "--show-groups"]
        if dark:
            command.append("--dark-palette")
        command.append(os.path.abspath(file))
        result = subprocess.run(command, env=env, timeout=120)
    if result.returncode != 0 or not pathlib.Path(out).is_file():
        sys.exit(f"no picture was taken (exit code {result.returncode})")
    print(f"wrote {out}")


def main():
    root = pathlib.Path(__file__).resolve().parents[2]
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", default=str(root / "build" / "app" / "quillary"))
    parser.add_argument("--out", help="one picture, in the language and palette given")
    parser.add_argument("--lang", choices=["en", "ja"], default="en")
    parser.add_argument("--dark", action="store_true")
    parser.add_argument("--view-type", default="Phone")
    parser.add_argument("file", nargs="?", default=str(root / "docs" / "sample-contacts.vcf"))
    args = parser.parse_args()
    if args.out:
        take(args.app, args.out, args.file, args.view_type, args.lang, args.dark)
        return
    for name, lang, dark in VARIANTS:
        take(args.app, str(root / "docs" / name), args.file, args.view_type, lang, dark)


if __name__ == "__main__":
    main()
