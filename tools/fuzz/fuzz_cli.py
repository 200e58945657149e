#!/usr/bin/env python3
"""Mutation fuzzer for the readers behind quillary-cli.

Takes the vCard and CSV files under tests/data as seeds, mutates them and runs one quillary-cli
command per case with a timeout. Meant for a build with AddressSanitizer and
UndefinedBehaviorSanitizer; it records crashes, sanitizer reports, hangs and runs whose peak memory
is far out of proportion to the input. Standard library only.

    python3 tools/fuzz/fuzz_cli.py --cli build-asan/cli/quillary-cli --out /tmp/fuzz --minutes 10

Each finding is kept as OUT/<kind>-<n>.<ext> with the command line and output beside it
(.txt). --replay FILE runs every command on one file and prints what happened.
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from concurrent.futures import ThreadPoolExecutor

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

ENCODINGS = [
    "auto", "UTF-8", "windows-1252", "Shift_JIS", "windows-31j", "EUC-JP", "ISO-2022-JP", "UTF-16LE",
    "UTF-16BE", "UTF-16", "UTF-32", "UTF-32LE", "GB18030", "Big5", "EUC-KR", "KOI8-R", "windows-1251",
    "UTF-7", "SCSU", "BOCU-1", "HZ-GB-2312", "ISO-8859-1", "x-mac-japanese", "macintosh",
]

PHONE_LAYOUTS = ["(12) 3456-7890", "(123) 456-7890", "(1234) 56-7890", "(12) 34 56 78 90"]

SPECIAL = [b"\r", b"\n", b"\r\n", b";", b":", b"=", b"\\", b'"', b",", b"\x00", b" ", b"\t", b".",
           b"\x0b", b"\x0c", b"\xc2\x85", b"\xe2\x80\xa8", b"=\r\n", b"\r\n ", b"\n\t"]

BAD_BYTES = [
    b"\xc0\x80", b"\xed\xa0\x80", b"\xf4\x90\x80\x80", b"\x80", b"\xfe\xff", b"\xff\xfe", b"\xef\xbb\xbf",
    b"\x00\x00\xfe\xff", b"\xff\xfe\x00\x00", b"\xe3\x81", b"\xf0\x9f", b"\x81", b"\xfc", b"\x81\x7f",
    b"\xa1", b"\x8e", b"\x8f\xa1", b"\x1b$B", b"\x1b(J", b"\x00\xd8", b"\xd8\x00", b"\x00\xdc", b"+AGE-",
    b"+/v8", b"~{", b"\x0e", b"\x0f",
]

VCARD_LINES = [
    b"N;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=82=A0=",
    b"FN;ENCODING=QUOTED-PRINTABLE:=",
    b"NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:=E3=81=\r\n=82=",
    b"NOTE;QUOTED-PRINTABLE:=ZZ=4=\r\n",
    b"PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQ",
    b"PHOTO;ENCODING=b:@@@@====",
    b"PHOTO;VALUE=uri:data:image/png;base64,====",
    b"PHOTO:data:",
    b"PHOTO;ENCODING=b:A",
    b"N;CHARSET=UTF-16:abc",
    b"N;CHARSET=BOGUS-CHARSET;ENCODING=QUOTED-PRINTABLE:=41",
    b"ORG;ENCODING=B;CHARSET=UTF-32:AAAA",
    b"item1.TEL:1", b"item1.X-ABLabel:x", b"item1.X-ABADR:jp", b"item1.ADR:;;;;;;",
    b"TEL;TYPE=\"a,b,\":1", b"TEL;;;;;;:", b"TEL;TYPE=:", b"TEL;=\":\"", b";:", b":", b".:", b"a.b.c:d",
    b"BDAY:--0229", b"BDAY:-", b"BDAY:99999999999999999999", b"BDAY;X-APPLE-OMIT-YEAR=1604:1604-02-29",
    b"BDAY:0000-00-00", b"X-ABDATE:2020-13-45T99:99:99Z", b"ANNIVERSARY:-2147483648",
    b"BDAY;X-APPLE-OMIT-YEAR=99999999999:1", b"BDAY:1-1-1",
    b"IMPP:x-im:", b"IMPP;X-SERVICE-TYPE=:", b"IMPP::::", b"X-SOCIALPROFILE://///", b"X-SOCIALPROFILE;X-USER=:",
    b"RELATED;TYPE=:", b"SOUND;X-IRMC-N:;;;;;;;;", b"CATEGORIES:,,,,\\,\\", b"UID:urn:uuid:",
    b"KIND:group", b"X-ADDRESSBOOKSERVER-KIND:group", b"X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:",
    b"X-ADDRESSBOOKSERVER-MEMBER:", b"X-ABShowAs:COMPANY", b"VERSION:2.1", b"VERSION:4.0", b"VERSION:",
    b"BEGIN:VCARD", b"END:VCARD", b"BEGIN:VCARD\r\nEND:VCARD", b"END:VCARD\r\nBEGIN:VCARD",
    b"N:\\", b"N:\\;\\;\\", b"ADR:\\n\\N\\,\\;\\\\", b"EMAIL;TYPE=INTERNET;TYPE=pref:mailto:",
    b"TEL:tel:", b"URL:", b"X-AIM:", b"X-ABRELATEDNAMES:",
]


def read_seeds():
    seeds = []
    for folder, _, files in os.walk(os.path.join(ROOT, "tests", "data")):
        for name in sorted(files):
            if name.endswith((".vcf", ".csv")):
                with open(os.path.join(folder, name), "rb") as f:
                    seeds.append((name, f.read()))
    return seeds


def lines_of(data):
    return re.split(rb"(?<=\n)", data)


# --- mutations -------------------------------------------------------------------------------


def m_flip(rng, data):
    if not data:
        return data
    b = bytearray(data)
    for _ in range(rng.randint(1, 8)):
        i = rng.randrange(len(b))
        b[i] ^= 1 << rng.randrange(8)
    return bytes(b)


def m_random_byte(rng, data):
    if not data:
        return data
    b = bytearray(data)
    for _ in range(rng.randint(1, 8)):
        b[rng.randrange(len(b))] = rng.randrange(256)
    return bytes(b)


def m_insert_special(rng, data):
    for _ in range(rng.randint(1, 6)):
        i = rng.randint(0, len(data))
        data = data[:i] + rng.choice(SPECIAL) * rng.choice([1, 1, 2, 3, 50]) + data[i:]
    return data


def m_insert_bad(rng, data):
    for _ in range(rng.randint(1, 4)):
        i = rng.randint(0, len(data))
        data = data[:i] + rng.choice(BAD_BYTES) + data[i:]
    return data


def m_truncate(rng, data):
    return data[: rng.randint(0, len(data))]


def m_delete(rng, data):
    if not data:
        return data
    i = rng.randrange(len(data))
    return data[:i] + data[i + rng.randint(1, 64):]


def m_duplicate_lines(rng, data):
    ls = lines_of(data)
    if not ls:
        return data
    i = rng.randrange(len(ls))
    j = min(len(ls), i + rng.randint(1, 4))
    count = rng.choice([2, 3, 10, 100, 1000, 5000])
    return b"".join(ls[:i] + ls[i:j] * count + ls[j:])


def m_huge_line(rng, data):
    ls = lines_of(data)
    if not ls:
        return data
    i = rng.randrange(len(ls))
    line = ls[i].rstrip(b"\r\n") or b"X"
    factor = rng.choice([1000, 10000, 100000])
    piece = line[-rng.randint(1, min(len(line), 16)):] if line else b"x"
    ending = ls[i][len(ls[i].rstrip(b"\r\n")):]
    ls[i] = line + piece * factor + ending
    return b"".join(ls)


def m_nuls(rng, data):
    b = bytearray(data)
    for _ in range(rng.randint(1, 20)):
        if b:
            b[rng.randrange(len(b))] = 0
    return bytes(b)


def m_vcard_line(rng, data):
    ls = lines_of(data)
    i = rng.randint(0, len(ls))
    eol = rng.choice([b"\r\n", b"\n", b"\r"])
    extra = [rng.choice(VCARD_LINES) + eol for _ in range(rng.randint(1, 4))]
    return b"".join(ls[:i] + extra + ls[i:])


def m_item_groups(rng, data):
    count = rng.choice([100, 1000, 20000])
    same = rng.random() < 0.5
    out = []
    for n in range(count):
        g = b"item1" if same else b"item%d" % n
        out.append(g + b".TEL:+1 555 %d\r\n" % n)
        out.append(g + b".X-ABLabel:_$!<Other>!$_\r\n")
    ls = lines_of(data)
    i = rng.randint(0, len(ls))
    return b"".join(ls[:i] + out + ls[i:])


def m_many_values(rng, data):
    n = rng.choice([1000, 10000, 100000])
    kind = rng.randrange(6)
    if kind == 0:
        line = b"N:" + b";" * n
    elif kind == 1:
        line = b"CATEGORIES:" + b"a," * n
    elif kind == 2:
        line = b"TEL" + b";TYPE=WORK" * n + b":1"
    elif kind == 3:
        line = b"NOTE:" + b"\\n" * n
    elif kind == 4:
        line = b"ADR:" + b"\\;" * n
    else:
        line = b"X-X:" + b"\r\n " * n
    ls = lines_of(data)
    i = rng.randint(0, len(ls))
    return b"".join(ls[:i] + [line + b"\r\n"] + ls[i:])


def m_folding(rng, data):
    ls = lines_of(data)
    if not ls:
        return data
    i = rng.randrange(len(ls))
    n = rng.choice([10, 1000, 20000])
    if rng.random() < 0.3:
        ls.insert(i + 1, b"=\r\n" * n)  # quoted-printable soft line breaks
    else:
        ls.insert(i + 1, (rng.choice([b" ", b"\t"]) + b"x" + rng.choice([b"\r\n", b"\n", b"\r"])) * n)
    return b"".join(ls)


def m_qp(rng, data):
    ls = lines_of(data)
    if not ls:
        return data
    i = rng.randrange(len(ls))
    line = ls[i]
    c = line.find(b":")
    if c < 0:
        return data
    garbage = rng.choice([b"=", b"==", b"=4", b"=G1", b"=\r\n", b"=\n=\n=", b"=E3=81", b"=00", b"=FF=FE"])
    ls[i] = line[:c] + b";ENCODING=QUOTED-PRINTABLE" + rng.choice([b"", b";CHARSET=SHIFT_JIS", b";CHARSET=UTF-16",
                                                                      b";CHARSET=x"]) + line[c:].rstrip(b"\r\n") + garbage + b"\r\n"
    return b"".join(ls)


def m_base64(rng, data):
    ls = lines_of(data)
    i = rng.randint(0, len(ls))
    body = bytes(rng.choice(b"ABCxyz019+/= \t=!@") for _ in range(rng.randint(0, 4000)))
    line = rng.choice([b"PHOTO;ENCODING=BASE64:", b"PHOTO;ENCODING=b;TYPE=JPEG:", b"PHOTO:data:image/jpeg;base64,",
                       b"NOTE;ENCODING=B;CHARSET=UTF-16LE:", b"PHOTO;BASE64:"])
    extra = [line + body + b"\r\n"]
    if rng.random() < 0.5:
        extra += [b"QUJD" * rng.randint(1, 40) + b"\r\n" for _ in range(rng.randint(1, 100))]
    return b"".join(ls[:i] + extra + ls[i:])


def m_splice(rng, data, seeds):
    other = rng.choice(seeds)[1]
    i = rng.randint(0, len(data))
    j = rng.randint(0, len(other))
    return data[:i] + other[j:]


def m_bom(rng, data):
    return rng.choice(BAD_BYTES[4:9]) + data


def m_reencode(rng, data):
    try:
        text = data.decode("utf-8", "surrogateescape")
        enc = rng.choice(["utf-16-le", "utf-16-be", "utf-32-le", "shift_jis", "euc_jp", "cp1252", "utf-7"])
        out = text.encode(enc, "surrogatepass" if enc.startswith("utf") else "replace")
        if rng.random() < 0.5 and out:
            out = out[:-1]  # an odd or cut-off tail
        return out
    except Exception:
        return data


def m_csv(rng, data):
    kind = rng.randrange(6)
    if kind == 0:  # many columns
        return b",".join([b"x"] * rng.choice([1000, 20000])) + b"\r\n" + data
    if kind == 1:  # an unclosed quote
        i = rng.randint(0, len(data))
        return data[:i] + b'"' + data[i:]
    if kind == 2:
        return data + b'"' * rng.choice([1, 2, 3, 1001])
    if kind == 3:  # many rows
        ls = lines_of(data)
        return b"".join(ls[:1] + ls[1:2] * rng.choice([1000, 50000]) + ls[1:])
    if kind == 4:
        return data.replace(b"\r\n", rng.choice([b"\r", b"\n", b"\r\r\n", b"\xe2\x80\xa8", b"\x0b"]))
    return b'"' + b'""' * rng.choice([10, 10000]) + b'"\n' + data


def m_generate(rng, data):
    """A fresh stream of cards put together from property lines that stress the reader."""
    cards = []
    for _ in range(rng.randint(1, 5)):
        lines = [b"BEGIN:VCARD", b"VERSION:" + rng.choice([b"2.1", b"3.0", b"4.0", b""])]
        for _ in range(rng.randint(0, 30)):
            line = rng.choice(VCARD_LINES)
            if rng.random() < 0.2:
                line = b"item%d." % rng.randint(1, 3) + line
            if rng.random() < 0.2 and len(line) > 4:
                cut = rng.randrange(1, len(line))
                line = line[:cut] + rng.choice([b"\r\n ", b"\n\t", b"=\r\n"]) + line[cut:]
            lines.append(line)
        if rng.random() < 0.8:
            lines.append(b"END:VCARD")
        cards.append(rng.choice([b"\r\n", b"\n", b"\r"]).join(lines))
    return b"\r\n".join(cards) + b"\r\n"


MUTATIONS = [m_flip, m_random_byte, m_insert_special, m_insert_bad, m_truncate, m_delete, m_duplicate_lines,
             m_huge_line, m_nuls, m_vcard_line, m_vcard_line, m_item_groups, m_many_values, m_folding, m_qp,
             m_base64, m_bom, m_reencode, m_generate, m_generate]


def mutate(rng, data, seeds, csv):
    for _ in range(rng.choice([1, 1, 2, 3, 5])):
        r = rng.random()
        if r < 0.05:
            data = m_splice(rng, data, seeds)
        elif csv and r < 0.25:
            data = m_csv(rng, data)
        else:
            data = rng.choice(MUTATIONS)(rng, data)
    return data[: 8 << 20]


# --- running ---------------------------------------------------------------------------------


def commands(path, workdir, rng):
    vcf = os.path.join(workdir, "out.vcf")
    csv = os.path.join(workdir, "out.csv")
    png = os.path.join(workdir, "out.png")
    return [
        ["dump", path], ["stats", path], ["table", path], ["table", path, "--view", "Phone", "--sort", "phone"],
        ["convert", path, "-o", vcf], ["convert", path, "-o", csv], ["convert", path, "-o", csv, "--all-rows"],
        ["qr", path, "--payload"], ["qr", path, "-o", png],
        ["normalize-phones", path, "-o", vcf, "--layout", rng.choice(PHONE_LAYOUTS)],
    ]


SANITIZER = re.compile(rb"(ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer|SUMMARY: \w+Sanitizer)")


def run_case(cli, args, timeout):
    env = dict(os.environ)
    env.update({"ASAN_OPTIONS": "detect_leaks=0:halt_on_error=1:abort_on_error=0:allocator_may_return_null=1:"
                                "quarantine_size_mb=16",
                "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
                "QT_QPA_PLATFORM": "offscreen", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", "TZ": "UTC"})
    # GNU time reports the peak memory of the command alone; the rusage of a child of this script
    # would include the copy of the script between fork and exec.
    with tempfile.NamedTemporaryFile(prefix="qfuzz-rss") as rss_file:
        proc = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", rss_file.name, cli] + args,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env, start_new_session=True)
        timed_out = []

        def kill():
            timed_out.append(True)
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

        timer = threading.Timer(timeout, kill)
        timer.start()
        start = time.monotonic()
        stderr = proc.stderr.read()
        proc.wait()
        timer.cancel()
        rss_text = rss_file.read().decode(errors="replace").split()
    code = proc.returncode
    # GNU time exits with the command's status, or 128 + the signal that ended it.
    if rss_text and rss_text[0] == "Command" and "signal" in rss_text:
        code = -int(rss_text[rss_text.index("signal") + 1])
    rss = int(rss_text[-1]) if rss_text and rss_text[-1].isdigit() else 0
    return {"code": code, "stderr": stderr, "hang": bool(timed_out), "rss_kb": rss,
            "seconds": time.monotonic() - start}


def classify(result, size, baseline_kb, floor_mb=64):
    if result["hang"]:
        return "hang"
    if SANITIZER.search(result["stderr"]):
        return "sanitizer"
    if result["code"] not in (0, 1, 2):
        return "crash"
    # Beyond the baseline of an empty run, allow 200 bytes per input byte and the floor (raise it for a
    # sanitizer build, whose red zones and quarantine grow every allocation).
    if result["rss_kb"] - baseline_kb > max(floor_mb << 10, size * 200 // 1024):
        return "memory"
    return None


def signature(kind, stderr):
    frames = re.findall(rb"#\d+ 0x[0-9a-f]+ in (\S+) (\S*/(?:core|cli|ui|app)/\S+)", stderr)
    top = b"|".join(f[1].rsplit(b"/", 1)[-1] for f in frames[:3])
    head = re.search(rb"(AddressSanitizer: [\w-]+|runtime error: [^\n]{0,60})", stderr)
    return kind + ":" + (head.group(1).decode(errors="replace") if head else "") + ":" + top.decode(errors="replace")


class Fuzzer:
    def __init__(self, options):
        self.options = options
        self.seeds = read_seeds()
        self.lock = threading.Lock()
        self.counts = {}
        self.findings = {}
        self.cases = 0
        os.makedirs(options.out, exist_ok=True)
        self.baseline_kb = 0

    def record(self, kind, data, ext, args, result):
        sig = signature(kind, result["stderr"])
        with self.lock:
            self.counts[sig] = self.counts.get(sig, 0) + 1
            if sig in self.findings and len(data) >= len(self.findings[sig]):
                return
            self.findings[sig] = data
            n = list(self.findings).index(sig)
        base = os.path.join(self.options.out, "%s-%d" % (kind, n))
        with open(base + ext, "wb") as f:
            f.write(data)
        with open(base + ".txt", "wb") as f:
            f.write(("%s\nargs: %s\ncode: %s rss: %d KiB seconds: %.1f input: %d bytes\n\n" % (
                sig, " ".join(args), result["code"], result["rss_kb"], result["seconds"], len(data))).encode())
            f.write(result["stderr"][-20000:])
        print("FOUND", sig, base + ext, flush=True)

    def one(self, rng):
        name, seed = rng.choice(self.seeds)
        csv = name.endswith(".csv") or rng.random() < 0.1
        data = mutate(rng, seed, self.seeds, csv)
        with tempfile.TemporaryDirectory(prefix="qfuzz") as work:
            ext = ".csv" if csv else ".vcf"
            path = os.path.join(work, "in" + ext)
            with open(path, "wb") as f:
                f.write(data)
            args = rng.choice(commands(path, work, rng)) + ["--encoding", rng.choice(ENCODINGS[:1] * 6 + ENCODINGS)]
            result = run_case(self.options.cli, args, self.options.timeout)
            kind = classify(result, len(data), self.baseline_kb, self.options.memory_floor)
            if kind == "memory":
                # A peak that a second run does not repeat is not the input's doing.
                again = run_case(self.options.cli, args, self.options.timeout * 6)
                if again["rss_kb"] < result["rss_kb"]:
                    result = again
                    kind = classify(again, len(data), self.baseline_kb, self.options.memory_floor)
            if kind == "hang":
                # Sanitizers slow some inputs down several times: a hang must also outlast a longer wait.
                longer = run_case(self.options.cli, args, self.options.timeout * 6)
                if not longer["hang"]:
                    kind = classify(longer, len(data), self.baseline_kb, self.options.memory_floor) or "slow"
                    result = longer
            if kind:
                saved_args = [a.replace(work, "DIR") for a in args]
                self.record(kind, data, ext, saved_args, result)
        with self.lock:
            self.cases += 1
            key = args[0]
            self.per_command[key] = self.per_command.get(key, 0) + 1

    def worker(self, index, deadline):
        rng = random.Random(self.options.seed * 1000 + index)
        last_report = time.monotonic()
        while time.monotonic() < deadline:
            self.one(rng)
            if index == 0 and time.monotonic() - last_report > 60:
                last_report = time.monotonic()
                print("progress: %d cases; %s" % (self.cases, self.per_command), flush=True)

    def run(self):
        self.per_command = {}
        with tempfile.TemporaryDirectory() as work:
            path = os.path.join(work, "empty.vcf")
            open(path, "wb").close()
            self.baseline_kb = run_case(self.options.cli, ["dump", path], 30)["rss_kb"]
        start = time.monotonic()
        deadline = start + self.options.minutes * 60
        with ThreadPoolExecutor(self.options.jobs) as pool:
            for i in range(self.options.jobs):
                pool.submit(self.worker, i, deadline)
        print("cases: %d in %.0f s; per command: %s" % (self.cases, time.monotonic() - start, self.per_command))
        for sig, count in sorted(self.counts.items()):
            print("  %5d  %s" % (count, sig))


def replay(options):
    with tempfile.TemporaryDirectory() as work:
        ext = os.path.splitext(options.replay)[1] or ".vcf"
        path = os.path.join(work, "in" + ext)
        shutil.copy(options.replay, path)
        size = os.path.getsize(path)
        for args in commands(path, work, random.Random(0)):
            for encoding in options.encodings.split(","):
                full = args + ["--encoding", encoding]
                result = run_case(options.cli, full, options.timeout)
                kind = classify(result, size, 0, 1 << 20) or "ok"  # memory: read the rss column
                print("%-9s code=%s rss=%dK %.1fs  %s" % (kind, result["code"], result["rss_kb"], result["seconds"],
                                                          " ".join(a.replace(work, "DIR") for a in full)))
                if kind not in ("ok", "memory"):
                    sys.stdout.write(result["stderr"][-3000:].decode(errors="replace"))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--cli", default=os.path.join(ROOT, "build-asan", "cli", "quillary-cli"))
    parser.add_argument("--out", default="/tmp/quillary-fuzz")
    parser.add_argument("--minutes", type=float, default=10)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=float, default=10)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--memory-floor", type=int, default=64, help="MiB above the baseline always allowed")
    parser.add_argument("--replay", help="run every command on this file and report")
    parser.add_argument("--encodings", default="auto", help="with --replay: comma-separated encodings")
    options = parser.parse_args()
    if options.replay:
        replay(options)
    else:
        Fuzzer(options).run()


if __name__ == "__main__":
    main()
