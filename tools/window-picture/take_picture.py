#!/usr/bin/env python3
"""Takes the picture of a document window that the README shows, on a virtual X display.

Standard library only; needs Xvfb (Debian: xvfb, xauth; see scripts/deps.sh) and a built quillary.
The application opens the sample address book with settings of its own (the user's are not read),
draws its window once and writes it as PNG through its hidden --screenshot option.

    python3 tools/window-picture/take_picture.py                      # writes docs/window.png
    python3 tools/window-picture/take_picture.py --app build/app/quillary --out /tmp/w.png FILE.vcf
"""

import argparse
import os
import pathlib
import subprocess
import sys
import tempfile


def main():
    root = pathlib.Path(__file__).resolve().parents[2]
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", default=str(root / "build" / "app" / "quillary"))
    parser.add_argument("--out", default=str(root / "docs" / "window.png"))
    parser.add_argument("--view-type", default="Phone")
    parser.add_argument("file", nargs="?", default=str(root / "docs" / "sample-contacts.vcf"))
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=home, LANG="C.UTF-8")
        env.pop("QT_QPA_PLATFORM", None)
        command = ["xvfb-run", "-a", "-s", "-screen 0 1280x800x24", args.app,
                   f"--screenshot={os.path.abspath(args.out)}", f"--view-type={args.view_type}", "--show-groups",
                   os.path.abspath(args.file)]
        result = subprocess.run(command, env=env, timeout=120)
    if result.returncode != 0 or not pathlib.Path(args.out).is_file():
        sys.exit(f"no picture was taken (exit code {result.returncode})")
    print(f"wrote {args.out}")


if __name__ == "__main__":
    main()
