#!/usr/bin/env python3
"""Single-point mutants of the product code, and which of them the unit tests notice.

Not part of CI: run it by hand when the tests of a subsystem grow, and read the survivors.

  bench/mutants.py [--sample 60] [--seed 17] [--timeout 120] [--only FILE:LINE:KIND[:N] ...]
                   [--dirs engine settings audio app] [--kinds compare constant drop]
                   [--commit HEAD] [--work /work/wt/polish-mutants] [--keep] [--report FILE.jsonl]
                   [--jobs 2]

It checks the current commit out into a separate worktree (--work), builds it there once with
ccache, then for each mutant: edits one line (a comparison flipped, an integer constant changed
by one, or a statement dropped), rebuilds only the test executables that link the mutated file
(ninja knows which), runs them, the ones of the mutated folder first, stopping at the first
failure, and puts the line back. A mutant that does not compile is left out of the score. The
e2e tests are never run (they need a real X server and take minutes). The line goes back when a
test or a build times out and on Ctrl-C or SIGTERM (the counts so far are printed and the work
tree kept); a run killed outright leaves it to the next run, which resets the work tree first.
"""

import argparse
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

COMPARISONS = {" < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > ", " == ": " != ", " != ": " == "}
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")
STATEMENT = re.compile(r"^\s{4,}(?!return\b|case\b|default\b|break\b|else\b|if\b|for\b|while\b|switch\b|const\b|auto\b|"
                       r"int\b|bool\b|u?int\d+_t\b|QString\b|std::)"
                       r"[\w:.>\-\[\]()*&+ ]*(\(.*\)|\+\+\w+|\w+\+\+|[-+*/]?= .*);\s*$")


def run(command, cwd, timeout=None, env=None):
    """The command in its own process group, so that a timeout or a stop ends its children too
    (compilers under ninja, helpers of a test) instead of leaving them holding the output pipe."""
    process = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               text=True, start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
    except BaseException:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.communicate()
        raise
    return subprocess.CompletedProcess(command, process.returncode, output)


def write_whole(path, text):
    """Replaces the file in one step: a stop at any moment leaves either the old or the new text."""
    temporary = path + ".mutant-tmp"
    with open(temporary, "w", encoding="utf-8") as target:
        target.write(text)
    os.replace(temporary, path)


def skip_line(line):
    text = line.strip()
    return (not text or text.startswith(("//", "#", "*", "/*", "static_assert")) or '"' in text
            or "'" in text or "constexpr" in text or "template" in text)


def candidates(root, folders):
    """Every (file, line number, kind, new line) the three operators can make."""
    found = []
    for folder in folders:
        for base, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith(".cpp"):
                    continue
                path = os.path.relpath(os.path.join(base, name), root)
                with open(os.path.join(root, path), encoding="utf-8") as source:
                    lines = source.read().split("\n")
                depth = 0
                for number, line in enumerate(lines, 1):
                    inside = depth > 0
                    depth += line.count("{") - line.count("}")
                    if not inside or skip_line(line):
                        continue
                    code = line.split("//")[0]
                    for old, new in COMPARISONS.items():
                        at = code.find(old)
                        if at >= 0:
                            found.append((path, number, "compare", line[:at] + new + line[at + len(old):]))
                    for match in INTEGER.finditer(code):
                        value = int(match.group(1))
                        changed = value + 1 if value in (0, 1) else value - 1
                        found.append((path, number, "constant",
                                      line[:match.start()] + str(changed) + line[match.end():]))
                    if STATEMENT.match(code) and "{" not in code and "}" not in code:
                        found.append((path, number, "drop", re.match(r"^\s*", line).group(0) + ";"))
    return found


def test_executables(build):
    """Test executables outside the e2e and install folders: their folder under tests/ and the
    sources they are built from."""
    result = {}
    for line in run(["ninja", "-t", "targets", "all"], build).stdout.splitlines():
        target = line.split(":")[0]
        if not re.match(r"^bin/\w+Test$", target):
            continue
        inputs = {os.path.normpath(i) for i in run(["ninja", "-t", "inputs", target], build).stdout.split()
                  if i.endswith(".cpp")}
        own = [i for i in inputs if re.search(r"/tests/(.+)/" + os.path.basename(target) + r"\.cpp$", i)]
        folder = re.search(r"/tests/(.+)/\w+\.cpp$", own[0]).group(1) if own else ""
        if folder and folder not in ("e2e", "install"):
            result[target] = (folder, inputs)
    return result


def affected(executables, source, root):
    absolute = os.path.normpath(os.path.join(root, source))
    hits = [exe for exe, (_, inputs) in executables.items() if absolute in inputs]
    folder = os.path.dirname(source)
    # The mutated folder's own tests first: most mutants die there, and the rest need no build.
    return sorted(hits, key=lambda exe: (executables[exe][0] != folder, executables[exe][0].split("/")[0]
                                         != folder.split("/")[0], exe))


def try_mutant(mutant, root, build, executables, timeout, env, jobs):
    path, number, kind, new_line = mutant
    full = os.path.join(root, path)
    with open(full, encoding="utf-8") as source:
        original = source.read()
    lines = original.split("\n")
    lines[number - 1] = new_line
    try:
        write_whole(full, "\n".join(lines))
        targets = affected(executables, path, root)
        if not targets:
            return "untested", ""
        compiled = False
        for target in targets:
            try:
                built = run(["ninja", f"-j{jobs}", target], build, timeout=900)
            except subprocess.TimeoutExpired:
                return "unbuilt", target + " (build timeout)"
            if built.returncode != 0:
                return ("uncompiled" if not compiled else "killed"), target
            compiled = True
            try:
                ran = run([os.path.join(build, target), "--gtest_brief=1"], build, timeout=timeout, env=env)
            except subprocess.TimeoutExpired:
                return "killed", target + " (timeout)"
            if ran.returncode != 0:
                return "killed", target
        return "survived", ""
    finally:
        # No second stop may cut the line's return short.
        blocked = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT, signal.SIGTERM})
        try:
            write_whole(full, original)
            os.utime(full, None)
        finally:
            signal.pthread_sigmask(signal.SIG_SETMASK, blocked)


def clean(root):
    """The work tree as committed: a mutant left by a killed run (SIGKILL, power loss) goes."""
    run(["git", "checkout", "--force", "."], root)
    run(["git", "clean", "-fdq", "-e", "build"], root)
    return run(["git", "status", "--porcelain", "--untracked-files=no"], root).stdout.strip() == ""


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--sample", type=int, default=60)
    parser.add_argument("--seed", type=int, default=17)
    parser.add_argument("--timeout", type=int, default=120, help="seconds for one test executable")
    parser.add_argument("--dirs", nargs="+", default=["engine", "settings", "audio", "app"])
    parser.add_argument("--kinds", nargs="+", default=["compare", "constant", "drop"])
    parser.add_argument("--commit", default="HEAD", help="the commit to mutate (HEAD of this checkout)")
    parser.add_argument("--work", default="/work/wt/polish-mutants")
    parser.add_argument("--only", nargs="*", help="FILE:LINE:KIND of mutants to run again; :N picks the Nth of "
                        "several on one line (the N the log shows)")
    parser.add_argument("--report", default=None, help="JSON lines of the results")
    parser.add_argument("--keep", action="store_true", help="keep the worktree for a later run")
    parser.add_argument("--jobs", type=int, default=2, help="ninja's parallel jobs")
    args = parser.parse_args()

    source_root = run(["git", "rev-parse", "--show-toplevel"], os.getcwd()).stdout.strip()
    root = args.work
    commit = run(["git", "rev-parse", args.commit], source_root).stdout.strip()
    if not os.path.isdir(root):
        run(["git", "worktree", "add", "--detach", root, commit], source_root)
    else:
        clean(root)
        run(["git", "checkout", "--force", "--detach", commit], root)
    if not clean(root):
        sys.exit("mutants: the work tree " + root + " cannot be reset to " + commit)
    # A stop by signal still puts the mutated line back (the finally of try_mutant).
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    # Also when started in the background, where the shell has it ignored.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    build = os.path.join(root, "build")
    env = dict(os.environ, CMAKE_CXX_COMPILER_LAUNCHER="ccache", CMAKE_C_COMPILER_LAUNCHER="ccache")
    if not os.path.isdir(build):
        run(["cmake", "-S", ".", "-B", "build", "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], root, env=env)
    print("mutants: building the tests once", flush=True)
    # The build file first: after a checkout it may still name the tests of the previous tree.
    run(["ninja", "build.ninja"], build, timeout=600)
    executables = test_executables(build)
    built = run(["ninja", f"-j{args.jobs}"] + sorted(executables), build, timeout=3600)
    if built.returncode != 0:
        sys.exit("mutants: the unmutated tree does not build\n" + built.stdout[-3000:])

    pool = [m for m in candidates(root, args.dirs) if m[2] in args.kinds]
    # A line may give several mutants of one kind (a constant each): they are told apart by N.
    names = {}
    for m in pool:
        names.setdefault(m[:3], []).append(m)
    label = {}
    for same in names.values():
        for n, m in enumerate(same, 1):
            label[m] = f"{m[0]}:{m[1]}:{m[2]}" + (f":{n}" if len(same) > 1 else "")
    if args.only:
        wanted = set(args.only)
        sample = [m for m in pool if label[m] in wanted or f"{m[0]}:{m[1]}:{m[2]}" in wanted]
    else:
        # As many of each kind: statements to drop far outnumber the other two.
        generator = random.Random(args.seed)
        kinds = sorted({m[2] for m in pool})
        sample = []
        for n, kind in enumerate(kinds):
            of_kind = [m for m in pool if m[2] == kind]
            share = args.sample // len(kinds) + (1 if n < args.sample % len(kinds) else 0)
            sample += generator.sample(of_kind, min(share, len(of_kind)))
        # Interleaved, so that a run cut short still has some of every kind.
        generator.shuffle(sample)
    print(f"mutants: {len(sample)} of {len(pool)} candidates", flush=True)

    config = tempfile.mkdtemp(prefix="mutants-config-")
    test_env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy", XDG_CONFIG_HOME=config)
    counts = {}
    report = open(args.report, "a") if args.report else None
    stopped = False
    try:
        for index, mutant in enumerate(sample, 1):
            started = time.time()
            outcome, by = try_mutant(mutant, root, build, executables, args.timeout, test_env, args.jobs)
            counts[outcome] = counts.get(outcome, 0) + 1
            path, number, kind, new_line = mutant
            if kind == "drop":
                with open(os.path.join(root, path), encoding="utf-8") as source:
                    new_line = "dropped: " + source.read().split("\n")[number - 1]
            print(f"[{index}/{len(sample)}] {outcome:10} {label[mutant]} {by} ({time.time() - started:.0f} s)"
                  f"\n      {new_line.strip()}", flush=True)
            if report:
                report.write(json.dumps({"file": path, "line": number, "kind": kind, "name": label[mutant],
                                         "outcome": outcome,
                                         "by": by, "mutant": new_line.strip()}) + "\n")
                report.flush()
    except KeyboardInterrupt:
        print("mutants: stopped; the mutated line is back, the counts below are of the finished ones", flush=True)
        args.keep = True
        stopped = True
    judged = counts.get("killed", 0) + counts.get("survived", 0)
    score = 100.0 * counts.get("killed", 0) / judged if judged else 0.0
    print(f"mutants: {counts}; score {counts.get('killed', 0)}/{judged} = {score:.0f} %")
    shutil.rmtree(config, ignore_errors=True)
    if not clean(root):
        print("mutants: the work tree differs from its commit", flush=True)
    elif not args.keep:
        run(["git", "worktree", "remove", "--force", root], source_root)
    if stopped:
        sys.exit(130)


if __name__ == "__main__":
    main()
