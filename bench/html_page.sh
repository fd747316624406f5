#!/usr/bin/env bash
# The page of `tesmo render --html`: its size and the time headless
# Chromium takes to make it ready (from the navigation to the end of the
# page's script, the faces drawn; median of RUNS loads) for the built-in
# 11^3 puzzle with examples/wall.txt, the 101^3 example with its 1,000-move
# failure, and a generated 255^3 puzzle with its shortest solution. Needs
# chromium, chromium-driver and python3-selenium.
#
#   bench/html_page.sh           RUNS=5
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target tesmo >/dev/null
tesmo=$PWD/build/tesmo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tesmo" render --html examples/maze.txt --solution examples/wall.txt -o "$work/11.html"
"$tesmo" render --html examples/large/maze.txt --solution examples/large/failure.txt \
  -o "$work/101.html"
"$tesmo" generate 255 255 255 --seed 7 --budget 3 >"$work/255.txt"
"$tesmo" solve --puzzle "$work/255.txt" >"$work/255-solution.txt"
"$tesmo" render --html "$work/255.txt" --solution "$work/255-solution.txt" -o "$work/255.html"
/usr/bin/python3 - "$work" "$runs" <<'PYTHON'
import statistics, sys, os
from selenium import webdriver
work, runs = sys.argv[1], int(sys.argv[2])
options = webdriver.ChromeOptions()
for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                 "--window-size=1400,1000"):
    options.add_argument(argument)
driver = webdriver.Chrome(options=options)
print("| page | moves | size | ready after (median of %d) |" % runs)
print("|---|---|---|---|")
for name in ("11", "101", "255"):
    path = os.path.join(work, name + ".html")
    times = []
    for _ in range(runs):
        driver.get("file://" + path)
        times.append(int(driver.execute_script("return document.body.dataset.readyMs")))
    moves = driver.execute_script("return document.getElementById('scrub').max")
    print("| %s^3 | %s | %.0f KB | %d ms |" % (name, moves, os.path.getsize(path) / 1000,
                                              statistics.median(times)))
driver.quit()
PYTHON
