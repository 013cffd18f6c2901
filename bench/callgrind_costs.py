"""Reads a callgrind profile of hook_bench and reports what bench/run.sh needs.

    callgrind_costs.py self PROFILE EVENTS
        the instructions that the hook procedures' own functions executed,
        per event: the add-on's and the bare procedure's, not the stand-in's
    callgrind_costs.py allocators PROFILE
        the add-on's functions that called a heap allocator, one a line
"""

import re
import subprocess
import sys

# Functions of the add-on's own code, and the bare procedure it is measured
# against. Inlined helpers are counted in the function they were inlined in.
OWN_FUNCTIONS = re.compile(
    r"(CbtHookProc|ScreenThenPassOn|ScreenActivation|PassOn|ShouldCloseWindow|NormalizeTitle|TitlesEqual|BareHookProc)\(")
ALLOCATORS = re.compile(r"(^|[:\s])(malloc|calloc|realloc|operator new(\[\])?)(\(|\s|$)")
COST_LINE = re.compile(r"^\s*([\d,]+)\s+\([^)]*\)\s+(<|\*)?\s*(.*)$")


def annotate(profile, *options):
    return subprocess.run(
        ["callgrind_annotate", "--auto=no", "--threshold=100", *options, profile],
        check=True, capture_output=True, text=True).stdout.splitlines()


def function_of(entry):
    # "file:function [object]": the function is what follows the file's colon.
    entry = re.sub(r"\s+\[[^\]]*\]\s*(\(\d+x\))?$|\s+\(\d+x\)$", "", entry)
    return entry.split(":", 1)[1] if ":" in entry else entry


def own_cost_per_event(profile, events):
    total = 0
    for line in annotate(profile, "--inclusive=no"):
        match = COST_LINE.match(line)
        if match and not match.group(2) and OWN_FUNCTIONS.search(function_of(match.group(3))):
            total += int(match.group(1).replace(",", ""))
    return round(total / events)


def own_allocating_callers(profile):
    callers, found = [], set()
    for line in annotate(profile, "--tree=caller"):
        match = COST_LINE.match(line)
        if not match:
            callers = []
            continue
        marker, function = match.group(2), function_of(match.group(3))
        if marker == "<":
            callers.append(function)
        elif marker == "*":
            if ALLOCATORS.search(function):
                found.update(c for c in callers if OWN_FUNCTIONS.search(c))
            callers = []
    return sorted(found)


def main():
    if sys.argv[1:2] == ["self"] and len(sys.argv) == 4:
        print(own_cost_per_event(sys.argv[2], int(sys.argv[3])))
    elif sys.argv[1:2] == ["allocators"] and len(sys.argv) == 3:
        for caller in own_allocating_callers(sys.argv[2]):
            print(caller)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
