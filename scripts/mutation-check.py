#!/usr/bin/env python3
"""Hand-made faults, one at a time: each is put into the code, the tests run,
and the fault counts as caught when any test fails. Shows which faults the
suite lets through.

    scripts/mutation-check.py [--list FILE] [--only TEXT] [--build DIR]

The list (scripts/mutants.txt by default) holds blocks of the form

    @ src/patch/free_space.cpp: the run must be longer than the picture
    - if (static_cast<double>(run) > size) {
    + if (static_cast<double>(run) >= size) {

The '-' text must occur exactly once in the file; lines starting with a blank
continue the '-' or '+' text above them. The build folder (default
build/mutation) is a plain Debug build without sanitizers, configured on first
use; the checkout is restored after every fault, also when interrupted.
"""
import argparse
import os
import pathlib
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
TARGETS = ["pictavo_tests", "pictavo_gui_tests", "pictavo-cli", "pictavo-convert",
           "pictavo-mkflash", "program_folder_files", "default_settings", "fuzz_replays"]


def read_mutants(path):
    mutants, current, last = [], None, None
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if line.startswith("@ "):
            where, _, what = line[2:].partition(": ")
            current, last = {"file": where.strip(), "what": what.strip(), "line": number}, None
            mutants.append(current)
        elif line.startswith("- ") and current is not None:
            current["old"], last = line[2:], "old"
        elif line.startswith("+ ") and current is not None:
            current["new"], last = line[2:], "new"
        elif line[:1] in (" ", "\t") and line.strip() and current is not None and last:
            current[last] += "\n" + line  # a fault over several lines
        elif line.strip() and not line.startswith("#"):
            sys.exit(f"{path}:{number}: not a mutant line: {line}")
    for m in mutants:
        if "old" not in m or "new" not in m:
            sys.exit(f"{path}:{m['line']}: a mutant needs a '-' and a '+' line")
    return mutants


def run(command, **kwargs):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, **kwargs)


def build(folder):
    return run(["cmake", "--build", str(folder), "--target", *TARGETS])


def run_tests(folder, env):
    # The package test needs the window and the manual pages, which this build
    # leaves out.
    return run(["ctest", "--test-dir", str(folder), "-j", "2", "--timeout", "120",
                "--stop-on-failure", "-E", "^(WorkTree|Package)\\."], env=env)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--list", default=str(ROOT / "scripts" / "mutants.txt"))
    parser.add_argument("--only", default="", help="only mutants whose file or text has this")
    parser.add_argument("--build", default=str(ROOT / "build" / "mutation"))
    args = parser.parse_args()

    mutants = [m for m in read_mutants(pathlib.Path(args.list))
               if args.only in m["file"] or args.only in m["what"]]
    folder = pathlib.Path(args.build)
    if not (folder / "CMakeCache.txt").exists():
        configured = run(["cmake", "-S", ".", "-B", str(folder), "-G", "Ninja",
                          "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS=-O1"])
        if configured.returncode != 0:
            sys.exit(configured.stdout)
    # The VKP reader's differential test runs against the community parser.
    run([str(ROOT / "scripts" / "install-vkp-judge.sh"), str(folder)])
    first = build(folder)
    if first.returncode != 0:
        sys.exit("the unchanged code does not build:\n" + first.stdout[-3000:])

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    # A suite that fails without any fault would count every fault as caught.
    if run_tests(folder, env).returncode != 0:
        sys.exit("the unchanged code fails its tests: no fault can be judged")
    survivors, caught = [], 0
    for index, m in enumerate(mutants, 1):
        source = ROOT / m["file"]
        original = source.read_text()
        if original.count(m["old"]) != 1:
            print(f"[{index}/{len(mutants)}] SKIPPED {m['file']}: '-' text found "
                  f"{original.count(m['old'])} times: {m['what']}")
            survivors.append(m | {"verdict": "not applied"})
            continue
        started = time.monotonic()
        try:
            source.write_text(original.replace(m["old"], m["new"]))
            built = build(folder)
            if built.returncode != 0:
                verdict = "caught by the compiler"
            else:
                tested = run_tests(folder, env)
                verdict = "caught" if tested.returncode != 0 else "SURVIVED"
                if tested.returncode != 0:
                    failed = [l.split(" - ")[-1] for l in tested.stdout.splitlines()
                              if "(Failed)" in l or "(Timeout)" in l or "(SEGFAULT)" in l]
                    verdict += f" ({', '.join(failed[:3])})" if failed else ""
        finally:
            source.write_text(original)
        seconds = time.monotonic() - started
        print(f"[{index}/{len(mutants)}] {verdict:<40.300} {m['file']}: {m['what']} "
              f"({seconds:.0f} s)", flush=True)
        if verdict.startswith("SURVIVED"):
            survivors.append(m | {"verdict": verdict})
        else:
            caught += 1
    build(folder)
    applied = len(mutants) - sum(1 for s in survivors if s["verdict"] == "not applied")
    print(f"\n{caught} of {applied} faults caught"
          + (f" ({100 * caught / applied:.0f} %)" if applied else ""))
    for s in survivors:
        print(f"  {s['verdict']}: {s['file']}: {s['what']}")
    return 0 if not survivors else 1


if __name__ == "__main__":
    sys.exit(main())
