#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plants small faults, one at a time, in the product lines changed since a base commit and
tells which ones the tests catch. docs/testing.md says how to read what it prints."""

import argparse
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from collections import Counter
from concurrent.futures import ThreadPoolExecutor, as_completed
from dataclasses import dataclass
from pathlib import Path

# The directories added in the top-level CMakeLists.txt that hold no product code.
NOT_PRODUCT = {"tests", "bench", "fuzz"}
# The command line's answers (exit statuses, what goes to which stream) are checked on
# the packaged program only, by this `install` test, which runs for the mutants of the
# command line's room after the others.
COMMAND_LINE_ROOM = "app/"
COMMAND_LINE_CHECK = "package_command_line"
SOURCE_SUFFIXES = (".cpp", ".h")
EQUIVALENT = re.compile(r"//\s*mutants:\s*equivalent\b([\w\s,-]*)")
MASK = "\x01"


@dataclass
class Mutant:
    path: str
    line: int  # counted from 1
    operator: str
    change: str  # before → after, for the table
    text: str  # the whole line, mutated
    outcome: str = ""


def git(repo, *args):
    return subprocess.run(["git", "-C", str(repo), *args], check=True, text=True,
                          capture_output=True).stdout


def default_base(repo):
    """The commit the branch started from, or the one before HEAD on main itself."""
    head = git(repo, "rev-parse", "HEAD").strip()
    for main in ("main", "origin/main"):
        found = subprocess.run(["git", "-C", str(repo), "rev-parse", "--verify", "--quiet",
                                main + "^{commit}"], text=True, capture_output=True)
        if found.returncode == 0:
            if found.stdout.strip() != head:
                return git(repo, "merge-base", "HEAD", main).strip()
            break
    return "HEAD~1"


def product_rooms(repo):
    listing = (repo / "CMakeLists.txt").read_text()
    rooms = re.findall(r"^\s*add_subdirectory\(\s*([\w./-]+)\s*\)", listing, re.MULTILINE)
    return sorted(set(rooms) - NOT_PRODUCT)


def changed_lines(repo, base, rooms):
    """{path: set of line numbers} of the C++ lines added or changed since base, the work
    tree included; files git does not know yet count whole."""
    diff = git(repo, "diff", "-U0", "--no-color", "--no-ext-diff", "--src-prefix=a/",
               "--dst-prefix=b/", base, "--", *rooms)
    changed, path = {}, None
    for line in diff.splitlines():
        if line.startswith("+++ "):
            path = line[6:] if line.startswith("+++ b/") else None
        elif line.startswith("@@") and path and path.endswith(SOURCE_SUFFIXES):
            start, _, count = re.match(r"@@ -\S+ \+(\d+)(,(\d+))? @@", line).groups()
            first, count = int(start), int(count if count is not None else 1)
            changed.setdefault(path, set()).update(range(first, first + count))
    untracked = git(repo, "ls-files", "--others", "--exclude-standard", "--", *rooms)
    for path in untracked.splitlines():
        if path.endswith(SOURCE_SUFFIXES):
            count = len((repo / path).read_text().splitlines())
            changed[path] = set(range(1, count + 1))
    return changed


def masked(lines):
    """The lines with the insides of string and character literals replaced by MASK and
    comments by blanks, so that what is matched is code; columns are kept."""
    result, in_comment = [], False
    for line in lines:
        out, i, quote = list(line), 0, None
        while i < len(line):
            c = line[i]
            if in_comment:
                out[i] = " "
                if line.startswith("*/", i):
                    out[i + 1] = " "
                    in_comment, i = False, i + 1
            elif quote:
                if c == "\\":
                    out[i] = MASK
                    if i + 1 < len(line):
                        out[i + 1] = MASK
                    i += 1
                elif c == quote:
                    quote = None
                else:
                    out[i] = MASK
            elif line.startswith("//", i):
                out[i:] = " " * (len(line) - i)
                break
            elif line.startswith("/*", i):
                out[i] = " "
                in_comment = True
            elif c in "\"'":
                quote = c
            i += 1
        result.append("".join(out))
    return result


def excerpt(text, start, end, replacement, width=18):
    """A short before → after of one change, with some of the line either side."""
    left = text[max(0, start - width):start].lstrip()
    right = text[end:end + width].rstrip()
    before, after = text[start:end], replacement
    if len(before) > 2 * width:
        before = before[:2 * width] + "…"
    if len(after) > 2 * width:
        after = after[:2 * width] + "…"
    return f"{left}{before}{right} → {left}{after}{right}"


def matching_paren(code, opening):
    depth = 0
    for i in range(opening, len(code)):
        depth += {"(": 1, ")": -1}.get(code[i], 0)
        if depth == 0:
            return i
    return None


def balanced(code):
    return code.count("(") == code.count(")") and code.count("{") == code.count("}")


def has_top_level_space(code):
    depth = 0
    for c in code:
        depth += {"(": 1, ")": -1, "[": 1, "]": -1}.get(c, 0)
        if depth == 0 and c.isspace():
            return True
    return False


COMPARISONS = {
    "<": [("flip", ">"), ("boundary", "<=")],
    "<=": [("flip", ">="), ("boundary", "<")],
    ">": [("flip", "<"), ("boundary", ">=")],
    ">=": [("flip", "<="), ("boundary", ">")],
    "==": [("flip", "!=")],
    "!=": [("flip", "==")],
}
# Binary operators stand between blanks once clang-format has been over the code, which
# tells them from template brackets, references and shifts.
BINARY = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>|&&|\|\|)(?=\s|$)")
INTEGER = re.compile(r"(?<![\w.'])(\d+)([uUlL]*)(?![\w.'])")
CONDITION = re.compile(r"\b(if|while)\s*\(")
DECLARATION = re.compile(r"(const|auto|constexpr)\b|[\w:<>]+[*&]*\s+[*&]*\w+\s*(=[^=]|\{)")
# A call or an assignment standing alone on its line: its first name is followed by a
# call, a member or an assignment, never by a second name as in a declaration.
EXPRESSION_STATEMENT = re.compile(
    r"((emit\s+)?[A-Za-z_][\w:]*\s*(\(|\.|->|\[|[-+*/|&]?=(?!=)|\+\+|--)|(\+\+|--)\w)")
KEYWORDS = re.compile(r"(return|const|auto|static|constexpr|using|typedef|delete|goto|throw|"
                      r"case|default|namespace|class|struct|enum|template|Q_[A-Z_]+)\b")
FAILURE_STATUS = re.compile(r"\b(exit\(|return\s+)(EXIT_FAILURE|[1-9]\d*)\s*[;)]")
RETURNED_NAME = re.compile(r"^\s*return\s+((\w+::)*[A-Z]\w*);\s*$")
GUARD = re.compile(r"(\}\s*)?(else|do|switch|(if|for|while)\s*\()")


def line_mutants(code, text, context):
    """Every (operator, start, end, replacement) for one line. code is the masked line,
    text the real one; context says whether the line is a guarded statement and which
    names its function returns."""
    for match in BINARY.finditer(code):
        token = match.group(1)
        if token in COMPARISONS:
            for operator, replacement in COMPARISONS[token]:
                yield operator, match.start(), match.end(), replacement
        else:
            yield "logic", match.start(), match.end(), "||" if token == "&&" else "&&"

    for match in CONDITION.finditer(code):
        opening = match.end() - 1
        closing = matching_paren(code, opening)
        condition = code[opening + 1:closing] if closing else ""
        if not condition or ";" in condition or DECLARATION.match(condition):
            continue
        inner = text[opening + 1:closing]
        if condition.startswith("!") and not condition.startswith("!=") and \
                not has_top_level_space(condition):
            yield "negate", opening + 1, closing, inner[1:]
        else:
            yield "negate", opening + 1, closing, f"!({inner})"

    statement = code.strip()
    start = len(code) - len(code.lstrip())
    if context["guarded"] and (statement in ("return;", "continue;", "break;") or (
            statement.endswith(";") and EXPRESSION_STATEMENT.match(statement)
            and not KEYWORDS.match(statement) and balanced(statement))):
        yield "drop", start, start + len(statement), "{}"

    if re.fullmatch(r"return\s+false\s*;", statement):
        yield "success", code.index("false"), code.index("false") + 5, "true"
    for match in FAILURE_STATUS.finditer(code):
        success = "EXIT_SUCCESS" if match.group(2) == "EXIT_FAILURE" else "0"
        yield "success", match.start(2), match.end(2), success
    if statement.startswith("return ") and statement.endswith(";") and '"' in statement:
        yield "success", start + 7, start + len(statement) - 1, "{}"
    returned = RETURNED_NAME.match(text)
    if returned:
        for other in sorted(context["returned names"] - {returned.group(1)}):
            yield "outcome", returned.start(1), returned.end(1), other

    for match in re.finditer(r"\b(true|false)\b", code):
        yield "bool", match.start(), match.end(), "false" if match.group() == "true" else "true"

    for match in INTEGER.finditer(code):
        if re.search(r"\)[\w\s]*=\s*$", code[:match.start()]):
            continue  # a pure virtual function's = 0
        value = int(match.group(1))
        for changed in (value + 1, value - 1):
            if changed >= 0:
                yield "constant", match.start(1), match.end(1), str(changed)


def equivalent_operators(lines, index):
    """The operators marked equivalent on a line, None where none are, and an empty set
    where every one is."""
    marks = [lines[index]]
    if index > 0 and lines[index - 1].lstrip().startswith("//"):
        marks.append(lines[index - 1])
    for mark in marks:
        found = EQUIVALENT.search(mark)
        if found:
            return set(re.findall(r"\w+", found.group(1)))
    return None


def guarded_statements(code_lines):
    """For each line, whether it starts a statement that a condition, a loop or a case
    guards: the one after an unbraced if, else, for or while, or any in their braces."""
    guarded, blocks, head = [], [], ""
    for code in code_lines:
        line = code.strip()
        if not line:
            guarded.append(False)
            continue
        guard_head = bool(GUARD.match(head))
        guarded.append(guard_head and head.endswith((")", "else")) or
                       not head and bool(blocks) and blocks[-1])
        head = f"{head} {line}".strip()
        for c in line:
            if c == "{":
                blocks.append(bool(GUARD.match(head)))
            elif c == "}" and blocks:
                blocks.pop()
        if line.endswith((";", "{", "}")) or re.fullmatch(r"(case\b.*|default|\w+):", line):
            head = ""
    return guarded


def function_names(code_lines, index):
    """The capitalised names (enumerators, constants) returned in the function around a
    line: its body lies between braces in the first column."""
    first = index
    while first > 0 and not code_lines[first].startswith("{"):
        first -= 1
    last = index
    while last < len(code_lines) - 1 and not code_lines[last].startswith("}"):
        last += 1
    names = set()
    for line in code_lines[first:last + 1]:
        found = RETURNED_NAME.match(line)
        if found:
            names.add(found.group(1))
    return names


def candidates(repo, changed):
    found, skipped = [], 0
    for path in sorted(changed):
        text_lines = (repo / path).read_text().splitlines()
        code_lines = masked(text_lines)
        guarded = guarded_statements(code_lines)
        for number in sorted(changed[path]):
            index = number - 1
            if index >= len(text_lines):
                continue
            code, text = code_lines[index], text_lines[index]
            if not code.strip() or code.lstrip().startswith("#"):
                continue
            context = {"guarded": guarded[index],
                       "returned names": function_names(code_lines, index)}
            marked = equivalent_operators(text_lines, index)
            seen = set()
            for operator, start, end, replacement in line_mutants(code, text, context):
                mutated = text[:start] + replacement + text[end:]
                if mutated in seen:
                    continue
                seen.add(mutated)
                if marked is not None and (not marked or operator in marked):
                    skipped += 1
                    continue
                change = excerpt(text, start, end, replacement)
                found.append(Mutant(path, number, operator, change, mutated))
    return found, skipped


def choose(pool, cap, seed):
    """At most cap mutants, taken from the files in turn; within a file, lines not yet
    taken first, then the operators taken least so far. The same seed, the same choice."""
    rng = random.Random(seed)
    by_file = {}
    for mutant in pool:
        by_file.setdefault(mutant.path, []).append(mutant)
    for mutants in by_file.values():
        rng.shuffle(mutants)
    lines_taken, operators_taken, chosen = Counter(), Counter(), []
    while len(chosen) < cap and any(by_file.values()):
        for mutants in by_file.values():
            if not mutants or len(chosen) == cap:
                continue
            best = min(mutants, key=lambda m: (lines_taken[m.path, m.line],
                                               operators_taken[m.operator]))
            mutants.remove(best)
            chosen.append(best)
            lines_taken[best.path, best.line] += 1
            operators_taken[best.operator] += 1
    return sorted(chosen, key=lambda m: (m.path, m.line))


# The processes run() has started and not yet seen end, for stop_running().
RUNNING = set()


def survivors_of(report, pool):
    """The mutants of the pool that the table of an earlier report says survived, or did
    not run where it was stopped, and how many of those the pool no longer has (their
    line changed or was marked). Lines added or taken away above a mutant move it: it is
    the same change of the same file nearest its old line."""
    row = re.compile(r"^(\S+):(\d+)\s+(\w+)\s+(?:survived|not run)\s+(.*)$")
    chosen, missing = [], 0
    for found in filter(None, map(row.match, report.read_text().splitlines())):
        path, line, operator, change = found.groups()
        same = [m for m in pool if (m.path, m.operator, m.change) == (path, operator, change)
                and m not in chosen]
        if same:
            chosen.append(min(same, key=lambda m: abs(m.line - int(line))))
        else:
            missing += 1
    return sorted(chosen, key=lambda m: (m.path, m.line)), missing


def run(command, timeout=None, log=None):
    """Runs command in a process group of its own, which goes whole when the time is up
    or when this program is stopped. Returns its exit status, None on a timeout."""
    with open(log or os.devnull, "w") as output:
        process = subprocess.Popen(command, stdout=output, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        RUNNING.add(process)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            stop(process)
            RUNNING.discard(process)


def stop(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def stop_running():
    """Ends the processes run() waits for on other threads."""
    for process in list(RUNNING):
        stop(process)


@dataclass
class Target:
    name: str
    kind: str
    sources: set
    artifacts: set
    dependencies: set


class Workspace:
    """A copy of the work tree and a build of it: mutants are planted in the copy only."""

    def __init__(self, repo, root, jobs):
        self.repo, self.root, self.jobs = repo, root, jobs
        self.src, self.build, self.logs = root / "src", root / "build", root / "logs"
        self.building = 0.0  # seconds spent rebuilding for mutants

    def sync(self):
        """Copies the tracked and new files of the work tree; files that did not change
        keep their time, so the build stays incremental."""
        names = git(self.repo, "ls-files", "-z", "--cached", "--others", "--exclude-standard")
        wanted = set()
        for name in filter(None, names.split("\0")):
            source = self.repo / name
            if not source.is_file() or self.root in source.parents:
                continue
            wanted.add(self.src / name)
            copy = self.src / name
            if not copy.is_file() or copy.read_bytes() != source.read_bytes():
                copy.parent.mkdir(parents=True, exist_ok=True)
                shutil.copy(source, copy)
        for stale in [p for p in self.src.rglob("*") if p.is_file() and p not in wanted]:
            stale.unlink()

    def configure(self):
        query = self.build / ".cmake/api/v1/query/codemodel-v2"
        query.parent.mkdir(parents=True, exist_ok=True)
        query.touch()
        self.logs.mkdir(exist_ok=True)
        command = ["cmake", "-S", str(self.src), "-B", str(self.build)]
        if not (self.build / "CMakeCache.txt").exists():
            # The optimisation and hardening of `make test`, without its debug information:
            # -g changes no generated code and makes every compile and link slower.
            flags = [f for f in os.environ.get("CXXFLAGS", "").split() if f != "-g"]
            # Ninja, because make spends seconds on every target it is asked for even when
            # nothing changed, and a mutant asks for a score of them.
            command += ["-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DBUILD_TESTING=ON",
                        "-DCMAKE_CXX_FLAGS=" + " ".join(flags),
                        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"]
        status = run(command, log=self.logs / "configure.log")
        if status != 0:
            sys.exit(f"mutants: configuring failed, see {self.logs / 'configure.log'}")
        self.targets = self.read_targets()

    def build_all(self):
        """The whole build, then the tests: ctest gives a test's command only once its
        executable exists."""
        log = self.logs / "build.log"
        if run(["cmake", "--build", str(self.build), "--parallel", str(self.jobs)], log=log):
            sys.exit(f"mutants: the unmutated code does not build, see {log}")
        listing = subprocess.run(["ctest", "--test-dir", str(self.build),
                                  "--show-only=json-v1"], check=True, capture_output=True)
        self.tests = json.loads(listing.stdout)["tests"]

    def read_targets(self):
        reply = self.build / ".cmake/api/v1/reply"
        index = json.loads(max(reply.glob("index-*.json")).read_text())
        model = json.loads((reply / index["reply"]["codemodel-v2"]["jsonFile"]).read_text())
        described = [json.loads((reply / t["jsonFile"]).read_text())
                     for t in model["configurations"][0]["targets"]]
        names = {t["id"]: t["name"] for t in described}
        return {t["name"]: Target(
            t["name"], t["type"], {s["path"] for s in t.get("sources", [])},
            {str(self.build / a["path"]) for a in t.get("artifacts", [])},
            {names[d["id"]] for d in t.get("dependencies", [])}) for t in described}

    def affected(self, path):
        """The targets built from path and every target built on them; all of them where
        no target names the file."""
        affected = {t.name for t in self.targets.values() if path in t.sources}
        if not affected:
            return set(self.targets)
        grew = True
        while grew:
            more = {t.name for t in self.targets.values() if t.dependencies & affected}
            grew = not more <= affected
            affected |= more
        return affected

    def tests_labelled(self, label):
        def labels(test):
            return next((p["value"] for p in test.get("properties", [])
                         if p["name"] == "LABELS"), [])
        return [t for t in self.tests if label in labels(t) and "command" in t]

    def targets_run_by(self, test):
        return {t.name for t in self.targets.values() if t.artifacts & set(test["command"])}

    def build_for(self, tests, affected, log):
        """Builds what the tests run of the affected targets, all of them for a test
        that names none (a script over the package), and the affected utility targets
        (files the tests read are made by those)."""
        wanted = {name for test in tests for name in self.targets_run_by(test) or affected}
        wanted &= affected
        wanted |= {name for name in affected if self.targets[name].kind == "UTILITY"}
        if not wanted:
            return True
        command = ["cmake", "--build", str(self.build), "--parallel", str(self.jobs),
                   "--target", *sorted(wanted)]
        started = time.monotonic()
        built = run(command, log=log) == 0
        self.building += time.monotonic() - started
        return built

    def run_test(self, test, timeout, log):
        command = ["ctest", "--test-dir", str(self.build), "--output-on-failure",
                   "-R", f"^{test['name']}$"]
        status = run(command, timeout, log)
        if status is None or "***Timeout" in Path(log).read_text(errors="replace"):
            return "timeout"
        return "passed" if status == 0 else "failed"


class Session:
    """The unmutated suite first, then each mutant, fast tests before end-to-end ones."""

    def __init__(self, workspace, timeout):
        self.workspace, self.timeout, self.durations = workspace, timeout, {}
        self.phases = {"unit": workspace.tests_labelled("unit"),
                       "e2e": workspace.tests_labelled("e2e"),
                       "install": [t for t in workspace.tests_labelled("install")
                                   if t["name"] == COMMAND_LINE_CHECK]}
        # Which tests caught the mutants of each file so far: they go first for the next.
        self.catches = Counter()

    def baseline(self):
        """Times every test on the unmutated code; a test that fails there twice says
        nothing of a mutant and is left out."""
        left_out = []
        for phase in self.phases.values():
            for test in list(phase):
                log = self.workspace.logs / f"unmutated-{test['name']}.log"
                for _ in range(2):
                    started = time.monotonic()
                    result = self.workspace.run_test(test, None, log)
                    self.durations[test["name"]] = time.monotonic() - started
                    if result == "passed":
                        break
                else:
                    phase.remove(test)
                    left_out.append(test["name"])
        return left_out

    def outcome(self, mutant, number):
        log = self.workspace.logs / f"mutant-{number:03}.log"
        affected = self.workspace.affected(mutant.path)
        ran_any = False
        for label, phase in self.phases.items():
            if label == "install" and not mutant.path.startswith(COMMAND_LINE_ROOM):
                continue
            tests = sorted((t for t in phase if self.runs_affected(t, affected)),
                           key=lambda t: (-self.catches[mutant.path, t["name"]],
                                          self.durations[t["name"]]))
            if not tests:
                continue
            ran_any = True
            if not self.workspace.build_for(tests, affected, log):
                return "did not compile"
            failed = self.first_failure(tests, label, log)
            if failed:
                test, result = failed
                self.catches[mutant.path, test["name"]] += 1
                return f"{result}: {test['name']}"
        if not ran_any and not self.workspace.build_for([], affected, log):
            return "did not compile"
        return "survived"

    def first_failure(self, tests, label, log):
        """Runs the tests in order until one fails or times out, and returns the first
        that did with "caught" or "timeout", ending any other still running. The unit
        tests run two at a time, each a process of its own with an offscreen window; the
        end-to-end sessions, which share the machine's displays, one at a time."""
        def attempt(test):
            limit = 3 * self.durations[test["name"]] + self.timeout
            own_log = log.with_name(f"{log.stem}-{test['name']}.log")
            result = self.workspace.run_test(test, limit, own_log)
            # An end-to-end session can fail by chance: one failure it does not repeat
            # is its own, not the mutant's.
            if result == "failed" and label == "e2e":
                result = self.workspace.run_test(test, limit, own_log)
            return test, result, own_log

        failed = None
        with ThreadPoolExecutor(1 if label == "e2e" else 2) as pool:
            attempts = [pool.submit(attempt, test) for test in tests]
            try:
                for finished in as_completed(attempts):
                    if finished.cancelled():
                        continue
                    test, result, own_log = finished.result()
                    if result != "passed" and not failed:
                        failed = (test, "timeout" if result == "timeout" else "caught")
                        own_log.replace(log)
                        for waiting in attempts:
                            waiting.cancel()
                        stop_running()
                    else:
                        own_log.unlink(missing_ok=True)
            except BaseException:
                for waiting in attempts:
                    waiting.cancel()
                stop_running()
                raise
        return failed

    def runs_affected(self, test, affected):
        """Whether the test runs a target the mutant changed; a test that names no target
        on its command line runs always."""
        ran = self.workspace.targets_run_by(test)
        return not ran or bool(ran & affected)


def plant(copy, mutant):
    lines = copy.read_text().splitlines(keepends=True)
    ending = lines[mutant.line - 1][len(lines[mutant.line - 1].rstrip("\r\n")):]
    lines[mutant.line - 1] = mutant.text + ending
    copy.write_text("".join(lines))


def table(mutants):
    width = max((len(f"{m.path}:{m.line}") for m in mutants), default=10)
    rows = [f"{'where':<{width}}  {'operator':<9} {'result':<36} change"]
    for m in mutants:
        rows.append(f"{m.path + ':' + str(m.line):<{width}}  {m.operator:<9} "
                    f"{m.outcome or 'not run':<36} {m.change}")
    return rows


def summary(mutants, started, mutants_started, building, interrupted):
    valid = [m for m in mutants if m.outcome and m.outcome != "did not compile"]
    caught = [m for m in valid if m.outcome.startswith(("caught", "timeout"))]
    score = f"{100 * len(caught) / len(valid):.0f} %" if valid else "no valid mutant"
    lines = [
        f"Score: {len(caught)} caught of {len(valid)} valid mutants, {score} "
        f"(a timeout counts as caught; not counted: "
        f"{sum(m.outcome == 'did not compile' for m in mutants)} that did not compile).",
        f"Time: {minutes(time.monotonic() - started)}, of which the mutants "
        f"{minutes(time.monotonic() - mutants_started) if mutants_started else 'none'} "
        f"({minutes(building)} of it rebuilding); "
        "load average at the end " + " ".join(f"{x:.2f}" for x in os.getloadavg()) + ".",
    ]
    if interrupted:
        lines.append("Interrupted: the mutants not run are not counted.")
    return lines


def minutes(seconds):
    return f"{int(seconds) // 60} min {int(seconds) % 60} s"


def stop_on_signal(number, _frame):
    raise KeyboardInterrupt(f"signal {number}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--base", help="the commit the change is measured from "
                        "(default: where the branch left main, or HEAD~1 on main)")
    parser.add_argument("--max", type=int, default=40, help="most mutants run (default 40)")
    parser.add_argument("--seed", default="1", help="another seed, another choice of mutants")
    parser.add_argument("--jobs", type=int, default=2, help="parallel compile jobs")
    parser.add_argument("--timeout", type=float, default=30,
                        help="seconds a test may take beyond three times its unmutated run")
    parser.add_argument("--dir", type=Path, help="where the copy, the build and the report go "
                        "(default: build-mutants in the work tree)")
    parser.add_argument("--survivors", type=Path, metavar="REPORT",
                        help="run again only the mutants an earlier report says survived "
                        "(or did not run), once rows have been added for them")
    parser.add_argument("--list", action="store_true",
                        help="print the mutants that would run, and run none")
    args = parser.parse_args()

    repo = Path(git(Path.cwd(), "rev-parse", "--show-toplevel").strip())
    base = args.base or default_base(repo)
    base_commit = git(repo, "rev-parse", "--short", base + "^{commit}").strip()
    rooms = product_rooms(repo)
    changed = changed_lines(repo, base, rooms)
    pool, marked = candidates(repo, changed)
    if args.survivors:
        mutants, missing = survivors_of(args.survivors, pool)
        chosen = f"the survivors of {args.survivors}"
        if missing:
            chosen += f"; {missing} of them are no longer among the possible mutants"
    else:
        mutants, chosen = choose(pool, args.max, args.seed), f"seed {args.seed}"
    header = [
        f"Mutants of the lines changed since {base} ({base_commit}) in {', '.join(rooms)}: "
        f"{sum(map(len, changed.values()))} lines in {len(changed)} files, {len(pool)} "
        f"possible mutants, {marked} marked equivalent; {len(mutants)} run ({chosen})."
    ]
    if args.list:
        print("\n".join(header + [""] + table(mutants)))
        return

    started, mutants_started = time.monotonic(), None
    header.append(f"Load average at the start {os.getloadavg()[0]:.2f}.")
    for number in (signal.SIGTERM, signal.SIGHUP):
        if signal.getsignal(number) is not signal.SIG_IGN:  # as under nohup
            signal.signal(number, stop_on_signal)
    workspace = Workspace(repo, (args.dir or repo / "build-mutants").resolve(), args.jobs)
    interrupted = False
    try:
        print(header[0], flush=True)
        workspace.sync()
        workspace.configure()
        workspace.build_all()
        session = Session(workspace, args.timeout)
        left_out = session.baseline()
        header.append("Tests run: " + ", ".join(
            f"{label} {len(phase)} ({minutes(sum(session.durations[t['name']] for t in phase))}"
            " unmutated)" for label, phase in session.phases.items()) + ".")
        if left_out:
            header.append("Failed on the unmutated code too, left out: " + ", ".join(left_out))
        print("\n".join(header[1:]), flush=True)
        mutants_started = time.monotonic()
        for number, mutant in enumerate(mutants, 1):
            copy = workspace.src / mutant.path
            original, tried = copy.read_bytes(), time.monotonic()
            try:
                plant(copy, mutant)
                mutant.outcome = session.outcome(mutant, number)
            finally:
                copy.write_bytes(original)
            print(f"[{number}/{len(mutants)}] {mutant.path}:{mutant.line} {mutant.operator} "
                  f"{mutant.change}  =>  {mutant.outcome} ({minutes(time.monotonic() - tried)}, "
                  f"{minutes(workspace.building)} building so far)", flush=True)
    except KeyboardInterrupt:
        interrupted = True
    report = "\n".join(header + [""] + table(mutants) + [""] +
                       summary(mutants, started, mutants_started, workspace.building, interrupted)) + "\n"
    if workspace.root.is_dir():
        (workspace.root / "report.txt").write_text(report)
    print(report, end="")
    sys.exit(130 if interrupted else 0)


if __name__ == "__main__":
    main()
