#!/usr/bin/env python3
"""The WebAssembly engine under node against the expected files and the native program.

Runs `node barlist.js` on every deck of tests/decks and examples/ and compares
the two reports with the expected files (as tests/decks/README.md describes
them). Given the native program too, it runs both on the same decks and on
decks that end the run early (errors 19 and 20, fatal stops, the dialogue)
and compares every file, standard output, standard error and exit status
byte for byte.

usage: node_engine_test.py NODE_PROGRAM TESTS_DECKS EXAMPLES [NATIVE_PROGRAM]
"""
import os
import subprocess
import sys
import tempfile
from pathlib import Path

EPOCH = "1765202733"  # 08-DEC-25 14:05:33 UTC
OUTPUTS = ("input.qty", "input.tab", "input.json", "input.csv")
failures = []


def asa_bytes(records):
    """The bytes barlist writes for records given with their carriage control."""
    out, pending = [], False
    for record in records:
        control, text = (record[0], record[1:]) if record else (" ", "")
        if control == "1":
            out.append("\f")
        elif control == "0":
            out.append("\n\n" if pending else "\n")
        elif control != "+" and pending:
            out.append("\n")
        out.append(text + "\r")
        pending = True
    if pending:
        out.append("\n")
    return "".join(out).encode("latin-1")


def lines(data):
    text = data.decode("latin-1")
    if text.endswith("\n"):
        text = text[:-1]
    return text.split("\n") if text else []


def mask_clock(qty, fixed=True):
    """The header date and time as placeholders; with `fixed`, every one must be the fixed clock."""
    text = qty.decode("latin-1")
    for anchor, width, want, mask in ((" " * 13 + "VELMARA", 9, "08-DEC-25", "DD-MMM-YY"),
                                      (" QUENDRAL", 8, "14:05:33", "HH:MM:SS")):
        at = text.find(anchor)
        while at != -1:
            if at >= width:
                if fixed and text[at - width:at] != want:
                    failures.append(f"header clock {text[at - width:at]!r}, want {want!r}")
                text = text[:at - width] + mask + text[at:]
            at = text.find(anchor, at + 1)
    return text.encode("latin-1")


def run(program, folder, args, deck=None, stdin=b""):
    """Runs a program in `folder` on `deck` as input.deck; returns status, output, error and the files."""
    folder.mkdir(parents=True, exist_ok=True)
    for name in OUTPUTS:
        (folder / name).unlink(missing_ok=True)
    if deck is not None:
        (folder / "input.deck").write_bytes(deck)
    env = dict(os.environ, SOURCE_DATE_EPOCH=EPOCH)
    done = subprocess.run(program + args, cwd=folder, input=stdin, capture_output=True, env=env, timeout=120)
    files = {name: (folder / name).read_bytes() if (folder / name).exists() else None for name in OUTPUTS}
    modes = {name: (folder / name).stat().st_mode for name in OUTPUTS if (folder / name).exists()}
    return done.returncode, done.stdout, done.stderr, files, modes


def expect(condition, what):
    if not condition:
        failures.append(what)


def check_expected_files(node, stem, folder, as_written):
    """The expected files of tests/decks are records, one a line; those of examples/ are the bytes themselves."""
    deck, want_qty, want_tab = ((stem.parent / (stem.name + suffix)).read_bytes() for suffix in (".deck", ".qty", ".tab"))
    if not as_written:
        want_qty = asa_bytes(lines(want_qty))
        want_tab = b"".join(line.encode("latin-1") + b"\r\n" for line in lines(want_tab))
    status, out, err, files, _ = run(node, folder, ["-q", "--force", "input.deck"], deck)
    has_errors = b"ERROR " in want_qty or b"PREMATURE END OF FILE" in want_qty
    expect(status == (2 if has_errors else 0), f"{stem.name}: exit status {status}")
    expect(out + err == b"", f"{stem.name}: output {out + err!r}")
    expect(files["input.qty"] is not None and mask_clock(files["input.qty"]) == want_qty,
           f"{stem.name}: quantities file differs from {stem.name}.qty")
    expect(files["input.tab"] == want_tab, f"{stem.name}: bar-table file differs from {stem.name}.tab")
    return deck


def compare_with_native(node, native, name, folder, args, deck=None, stdin=b""):
    got = run(node, folder / "compared", args, deck, stdin)
    want = run(native, folder / "compared", args, deck, stdin)
    for label, a, b in zip(("exit status", "standard output", "standard error"), got[:3], want[:3]):
        expect(a == b, f"{name}: {label} differs: node {a!r:.300} native {b!r:.300}")
    for file in OUTPUTS:
        # The dialogue reads the machine's clock: the two runs may fall in
        # different seconds.
        same = got[3][file] == want[3][file] or (file == "input.qty" and got[3][file] is not None and
                                                 want[3][file] is not None and
                                                 mask_clock(got[3][file], False) == mask_clock(want[3][file], False))
        expect(same, f"{name}: {file} differs from the native program's")
        # Files are created with the same permissions (the process's umask).
        expect(got[4].get(file) == want[4].get(file), f"{name}: {file} mode {got[4].get(file)!r:.10}, "
               f"native {want[4].get(file)!r:.10}")


def card(kind, mark, length):
    return f"{kind}10{mark}{length:06d}   1"


def early_ends():
    """Decks that end the run before its end: capacity errors and fatal stops."""
    unit = "UUNIT             1"
    too_many_bars = ["*B0600010100FIRST", unit] + [card(" ", "B01", 100)] * 1000 + ["Z"]
    too_many_bars += ["*B0600020100SECOND", unit] + [card(" ", "B02", 100)] * 1001 + ["Z"]
    too_many_stored = ["*B0600010100STORE", unit] + [card("S", "S01", 100)] * 999 + ["Z"]
    bad_count = ["*B0600010100BAD", "UUNIT            X1", card(" ", "B01", 100), "Z"]
    bad_skip = ["*B0600010100SKIP", unit, card(" ", "B01", 1000), "KAB", "Z"]
    return {
        "error 19": "\n".join(too_many_bars) + "\n",
        "error 20": "\n".join(too_many_stored) + "\n",
        "conversion error in pass 1": "\n".join(bad_count) + "\n",
        "conversion error in pass 2": "\n".join(bad_skip) + "\n",
        "empty deck": "",
        "binary bytes": "*B0600010100\x00\xff\xfe BIN\n\x01\x02\x03\nU\xe9\xe9\n" + "\xff" * 300 + "\nZ\n",
    }


def main():
    node_program, decks, examples = (Path(a).resolve() for a in sys.argv[1:4])
    native = [str(Path(sys.argv[4]).resolve())] if len(sys.argv) > 4 and Path(sys.argv[4]).exists() else None
    node = ["node", str(node_program)]
    stems = sorted(p.with_suffix("") for p in list(decks.glob("*.deck")) + list(examples.glob("*.deck")))
    with tempfile.TemporaryDirectory() as temp:
        work = Path(temp)
        for stem in stems:
            deck = check_expected_files(node, stem, work / "expected", stem.parent == examples)
            if native:
                compare_with_native(node, native, stem.name, work, ["--force", "--json", "input.json", "--csv",
                                                                    "input.csv", "input.deck"], deck)
        if native:
            for name, text in early_ends().items():
                compare_with_native(node, native, name, work, ["--force", "--json", "input.json", "input.deck"],
                                    text.encode("latin-1"))
            compare_with_native(node, native, "missing deck", work, ["nothere.deck"])
            compare_with_native(node, native, "usage error", work, ["--frobnicate"])
            compare_with_native(node, native, "version", work, ["--version"])
            example = (examples / "pier-cap.deck").read_bytes()
            compare_with_native(node, native, "dialogue", work, [], example, b"input.deck\ninput.qty\ninput.tab\n")
            compare_with_native(node, native, "dialogue, overwrite declined", work, [], example,
                                b"input.deck\ninput.deck\nn\n")
    for failure in failures:
        print("FAIL", failure)
    checked = len(stems) * (2 if native else 1)
    print(f"{checked} deck runs compared, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
