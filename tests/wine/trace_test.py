"""Runs trace_host.exe under Wine's relay trace and checks, from the trace,
what VornHush.dll did in the process: which functions its own code called,
that switching off thread notifications worked, and that none arrived.

    trace_test.py WINE_RUN TRACE_HOST_EXE
"""

import os
import re
import subprocess
import sys
import tempfile
from collections import Counter

# Everything the module's code may call: the one call at attach and the
# hook, window and message services.
SERVICES = {
    "kernel32.DisableThreadLibraryCalls",
    "user32.SetWindowsHookExW",
    "user32.UnhookWindowsHookEx",
    "user32.CallNextHookEx",
    "user32.GetWindowThreadProcessId",
    "user32.GetWindowTextW",
    "user32.GetParent",
    "user32.SendMessageW",
}

# "0024:Call KERNEL32.DisableThreadLibraryCalls(10000000) ret=10001679"
CALL = re.compile(r"^[0-9a-f]+:Call ([\w.]+)\.(\w+)\(.*\) ret=([0-9a-f]{8})$")
# "0024:Ret  KERNEL32.DisableThreadLibraryCalls() retval=00000001 ret=10001679"
RET = re.compile(r"^[0-9a-f]+:Ret  ([\w.]+)\.(\w+)\(\) retval=([0-9a-f]{8}) ret=([0-9a-f]{8})$")
# "0024:Call PE DLL (proc=10001390,module=10000000 L"VornHush.dll",reason=THREAD_ATTACH,res=00000000)"
ENTRY = re.compile(r'^[0-9a-f]+:Call PE DLL \(proc=\w+,module=\w+ L"[^"]*VornHush\.dll",reason=(\w+),')
IMAGE = re.compile(r"^module image: ([0-9a-f]{8})-([0-9a-f]{8})$", re.MULTILINE)


def service(dll, function):
    return f"{dll.lower().removesuffix('.dll')}.{function}"


def main():
    wine_run, host = sys.argv[1:3]
    calls = []            # (return address, service) of every traced call
    disable_results = []  # (return address, result) of DisableThreadLibraryCalls
    entry_reasons = Counter()
    # The trace comes through a pipe, where each line arrives whole even when
    # several processes write at once.
    with tempfile.TemporaryFile("w+") as output:
        run = subprocess.Popen([wine_run, host], stdout=output, stderr=subprocess.PIPE, text=True,
                               errors="replace", env={**os.environ, "WINEDEBUG": "+relay"})
        for line in run.stderr:
            line = line.rstrip("\n")
            if match := CALL.match(line):
                calls.append((match.group(3), service(match.group(1), match.group(2))))
            elif match := RET.match(line):
                if service(match.group(1), match.group(2)) == "kernel32.DisableThreadLibraryCalls":
                    disable_results.append((match.group(4), int(match.group(3), 16)))
            elif match := ENTRY.match(line):
                entry_reasons[match.group(1)] += 1
        run.wait()
        output.seek(0)
        printed = output.read()
    print(printed, end="")
    image = IMAGE.search(printed)
    if run.returncode != 0 or not image:
        sys.exit(f"trace_host failed (exit code {run.returncode})")

    # Only calls that return into the module's image are its own.
    low, high = (int(bound, 16) for bound in image.groups())

    def inside(address):
        return low <= int(address, 16) < high

    called = Counter(name for address, name in calls if inside(address))
    disable_results = [result for address, result in disable_results if inside(address)]

    print("calls from the module's image:", ", ".join(f"{n} x{c}" for n, c in sorted(called.items())))
    print("entry calls:", ", ".join(f"{r} x{c}" for r, c in sorted(entry_reasons.items())))
    print("DisableThreadLibraryCalls returned:", disable_results)

    failures = []
    if set(called) != SERVICES:
        failures.append(f"other than the eight services: {sorted(set(called) - SERVICES)}; "
                        f"not seen: {sorted(SERVICES - set(called))}")
    if (len(disable_results) != entry_reasons.get("PROCESS_ATTACH", 0) or
            any(result != 1 for result in disable_results)):
        failures.append("DisableThreadLibraryCalls did not succeed at every attach")
    thread_calls = {r: c for r, c in entry_reasons.items() if r in ("THREAD_ATTACH", "THREAD_DETACH")}
    if thread_calls:
        failures.append(f"thread notifications reached the module: {thread_calls}")
    if "PROCESS_ATTACH" not in entry_reasons:
        failures.append("the trace shows no attach of the module: is the trace format still read right?")
    for failure in failures:
        print("FAILED:", failure)
    print(f"trace_test: {1 if not failures else 0} passed, {1 if failures else 0} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
