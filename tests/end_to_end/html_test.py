"""The page of `tesmo render --html` in a real browser (headless Chromium).

Replays random routes on random puzzles (overlapping and gapped rows,
cells holding 2 and more, starts equal to ends, stops at a wall, at the box
edge and at an invalid code, refused starts) move by move and compares the
page's position, moves executed, message and verdict with `tesmo explain`;
plays a puzzle by key presses to a downloaded solution that tesmoVerifier
accepts; checks that the page loads nothing from elsewhere. With
--screenshot PATH it saves a picture of the 101^3 example page.

  html_test.py TESMO TESMOVERIFIER EXAMPLES_DIR [--screenshot PATH]

Exits 77 (a skipped test) when Chromium, its driver or Selenium is missing,
unless TESMO_REQUIRE_BROWSER is set.
"""

import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import urllib.parse

try:
    from selenium import webdriver
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
except ImportError:
    webdriver = None

AXES = "xyz"


def skip(reason):
    if os.environ.get("TESMO_REQUIRE_BROWSER"):
        print("html_test: " + reason)
        sys.exit(1)
    print("html_test: skipped: " + reason)
    sys.exit(77)


def browser():
    if webdriver is None:
        skip("python3-selenium is not installed")
    if not shutil.which("chromedriver") and not os.path.exists("/usr/bin/chromedriver"):
        skip("chromium-driver is not installed")
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1400,1000"):
        options.add_argument(argument)
    try:
        return webdriver.Chrome(options=options)
    except Exception as error:  # the driver or the browser does not start
        skip("Chromium does not start: %s" % str(error).splitlines()[0])


def random_puzzle(rng):
    """A puzzle file's text: faces drawn from random lists by the index rule."""
    size = [rng.randint(1, 5) for _ in range(3)]
    rows = []
    for k in range(3):
        first, second = size[k], size[(k + 1) % 3]
        cells = [rng.choice("0000000127") for _ in range(first + second * (second - 1))]
        rows.append(["".join(cells[a + second * b] for a in range(first)) for b in range(second)])
    text = "size %d %d %d\n" % tuple(size)
    for k in range(3):
        text += "face %d\n%s\n" % (k, "\n".join(rows[k]))
    return size, rows, text


def cell(rows, size, k, p):
    return rows[k][p[(k + 1) % 3]][p[k]]


def step(size, rows, p, code):
    """The position a move enters, or None: the walker's rule, for making
    routes that go somewhere (the page is checked against tesmo explain)."""
    axis = code // 2
    q = list(p)
    q[axis] += -1 if code % 2 else 1
    if not 0 <= q[axis] < size[axis]:
        return None
    if any(cell(rows, size, k, q) != "0" for k in (axis, (axis + 2) % 3)):
        return None
    return q


def random_solution(rng, size, rows):
    """Start, end and moves: mostly moves that are executed, then one that
    may not be; now and then an invalid code, an end where the walk ends
    (a success), an end equal to the start, or a start the verifier
    refuses (on a cell holding 1)."""
    every = [[x, y, z] for x in range(size[0]) for y in range(size[1]) for z in range(size[2])]
    ones = [p for p in every if any(cell(rows, size, k, p) == "1" for k in range(3))]
    usable = [p for p in every if p not in ones] or every
    start = rng.choice(ones) if ones and rng.random() < 0.08 else rng.choice(usable)
    moves, p = [], start
    for _ in range(rng.randint(1, 40)):
        codes = [c for c in range(6) if step(size, rows, p, c)]
        if codes and rng.random() < 0.9:
            code = rng.choice(codes)
            p = step(size, rows, p, code)
        else:
            code = rng.randrange(6)
        moves.append(str(code))
    if rng.random() < 0.15:
        moves.insert(rng.randrange(len(moves) + 1), rng.choice(["7", "6", "18446744073709551615"]))
    chance = rng.random()
    end = p if chance < 0.3 else list(start) if chance < 0.4 else rng.choice(usable)
    return "%d %d %d\n%d %d %d\n%s\n" % (*start, *end, " ".join(moves))


def explain(tesmo, directory, puzzle, solution):
    """explain's facts: the trace's positions, the stop line, the summary,
    and the JSON object."""
    facts = json.loads(subprocess.run([tesmo, "explain", "--json", "--puzzle", puzzle, solution],
                                      cwd=directory, capture_output=True, text=True).stdout)
    text = subprocess.run([tesmo, "explain", "--trace", "--puzzle", puzzle, solution],
                          cwd=directory, capture_output=True, text=True).stdout.splitlines()
    trace = [line for line in text if re.match(r"move \d+: code \d \(.+\) \(.*\) -> ", line)]
    stops = [line for line in text
             if line.startswith("move ") and ("runs into" in line or "is no move" in line)]
    summaries = [line for line in text if line.startswith(("after ", "route of "))]
    positions = [facts["start"]] + [
        [int(n) for n in re.search(r"-> \((\d+),(\d+),(\d+)\)$", line).groups()] for line in trace]
    return facts, positions, stops[0] if stops else "", summaries[0] if summaries else ""


READ_STATE = """
const get = (id) => document.getElementById(id).textContent;
return [get('position'), get('executed'), get('message'), get('verdict'), get('lines')];
"""


def check_replays(driver, tesmo, directory, cases):
    failures = 0
    rng = random.Random(20261209)
    for case in range(cases):
        size, rows, puzzle_text = random_puzzle(rng)
        puzzle = os.path.join(directory, "maze%d.txt" % case)
        solution = os.path.join(directory, "solution%d.txt" % case)
        page = os.path.join(directory, "page%d.html" % case)
        with open(puzzle, "w") as f:
            f.write(puzzle_text)
        with open(solution, "w") as f:
            f.write(random_solution(rng, size, rows))
        facts, positions, stop, summary = explain(tesmo, directory, puzzle, solution)
        run = subprocess.run([tesmo, "render", "--html", puzzle, "--solution", solution, "-o", page],
                             cwd=directory, capture_output=True, text=True)
        if run.returncode != 0:
            print("case %d: render --html exits %d: %s" % (case, run.returncode, run.stderr))
            failures += 1
            continue
        driver.get("file://" + page)
        states = [driver.execute_script(READ_STATE)]
        if facts["stop"] is not None or facts["verdict"] is not None:
            driver.find_element(By.ID, "step-forward").click()  # a real click, once
            states.append(driver.execute_script(READ_STATE))
            for _ in range(len(positions) + 2):
                states.append(driver.execute_script(
                    "document.getElementById('step-forward').click();" + READ_STATE))
        want_verdict = facts["lines"][-1] if facts["lines"] else ""
        final = states[-1]
        problems = []
        if facts["stop"] is None and facts["verdict"] is None:
            # A start or end the verifier refuses: nothing is walked.
            if final[3] != want_verdict:
                problems.append("verdict %r, want %r" % (final[3], want_verdict))
        else:
            walked = []
            for state in states:
                executed = int(state[1])
                if executed < len(positions) and len(walked) == executed:
                    walked.append([int(n) for n in state[0].split(",")])
            if walked != positions:
                problems.append("positions %s, explain's %s" % (walked, positions))
            if int(final[1]) != facts["executed"]:
                problems.append("executed %s, want %d" % (final[1], facts["executed"]))
            if [int(n) for n in final[0].split(",")] != facts["position"]:
                problems.append("position %s, want %s" % (final[0], facts["position"]))
            if final[3] != want_verdict:
                problems.append("verdict %r, want %r" % (final[3], want_verdict))
            if final[2] != stop:
                problems.append("message %r, want %r" % (final[2], stop))
            if summary and not final[4].endswith(summary):
                problems.append("lines end %r, want %r" % (final[4][-120:], summary))
            if any(state[3] for state in states[:-1] if int(state[1]) < facts["executed"]):
                problems.append("a verdict before the walk ended")
        if problems:
            failures += 1
            print("case %d (%s):\n  %s" % (case, solution, "\n  ".join(problems)))
            print(open(puzzle).read() + open(solution).read())
    print("replays: %d random cases, %d differ from tesmo explain" % (cases, failures))
    return failures


def check_play(driver, tesmo, verifier, examples, directory):
    """Key presses to a solution the verifier accepts, a refused move and an
    undo on the way."""
    custom = os.path.join(examples, "custom")
    with open(os.path.join(custom, "maze.txt")) as f:
        text = f.read().replace("size 4 3 2\n", "size 4 3 2\nstart 0 0 0\nend 3 2 1\n")
    puzzle = os.path.join(directory, "play.txt")
    page = os.path.join(directory, "play.html")
    with open(puzzle, "w") as f:
        f.write(text)
    subprocess.run([tesmo, "render", "--html", puzzle, "-o", page], check=True)
    driver.get("file://" + page)
    body = driver.find_element(By.TAG_NAME, "body")
    failures = 0

    def expect(what, want):
        nonlocal failures
        got = driver.execute_script(READ_STATE)
        value = dict(zip(["position", "executed", "message", "verdict"], got))[what]
        if value != want:
            failures += 1
            print("play: %s %r, want %r" % (what, value, want))

    body.send_keys("1")
    expect("message", "move 1: code 1 (x-1) from (0,0,0) runs into the box edge on axis x")
    expect("executed", "0")
    # 0 4 0 0 2 2, with each kind of key, and a move taken back.
    body.send_keys("0", "e", Keys.ARROW_RIGHT, "2", Keys.BACKSPACE, "d", "s", Keys.ARROW_DOWN)
    expect("position", "3,2,1")
    expect("executed", "6")
    expect("verdict", "SUCCESS")
    expect("message", "")
    href = driver.find_element(By.ID, "download").get_attribute("href")
    downloaded = urllib.parse.unquote(href.split(",", 1)[1])
    with open(os.path.join(directory, "played.txt"), "w") as f:
        f.write(downloaded)
    run = subprocess.run([verifier, os.path.join(directory, "played.txt")], cwd=custom,
                         capture_output=True, text=True)
    if run.stdout != "SUCCESS\n" or run.returncode != 0:
        failures += 1
        print("play: the verifier says %r (%d) of %r" % (run.stdout, run.returncode, downloaded))
    # Loads nothing from elsewhere.
    resources = driver.execute_script("return performance.getEntriesByType('resource').length")
    html = open(page).read()
    if resources or re.search(r"""(src|href)\s*=\s*["'](?!#|data:)""", html) or "http" in html:
        failures += 1
        print("play: the page loads %d resources or names another" % resources)
    print("play: %d faults" % failures)
    return failures


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    tesmo, verifier, examples = sys.argv[1:4]
    screenshot = sys.argv[5] if len(sys.argv) > 5 and sys.argv[4] == "--screenshot" else None
    directory = tempfile.mkdtemp()
    driver = browser()
    try:
        failures = check_replays(driver, tesmo, directory, int(os.environ.get("CASES", "40")))
        failures += check_play(driver, tesmo, verifier, examples, directory)
        if screenshot:
            page = os.path.join(directory, "large.html")
            large = os.path.join(examples, "large")
            subprocess.run([tesmo, "render", "--html", os.path.join(large, "maze.txt"), "--solution",
                            os.path.join(large, "failure.txt"), "-o", page], check=True)
            driver.get("file://" + page)
            driver.execute_script("const s = document.getElementById('scrub');"
                                  "s.value = s.max; s.dispatchEvent(new Event('input'));")
            driver.save_screenshot(screenshot)
    finally:
        driver.quit()
        shutil.rmtree(directory, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
