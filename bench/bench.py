"""Benchmark: QuorvelTimer under Wine against a bare Win32 baseline. Run by scripts/bench.

The program (A) and bench_baseline.exe (B) run under the same Wine, X server and prefix, made by
the end-to-end harness (tests/e2e/harness.py). bench_probe.exe starts each of them and measures
(see bench/probe.cpp). Steps:

1. start and memory: one warm-up run of each, then PAIRS pairs A B A B ...: process creation to
   a visible top-level window; peak working set; private bytes; GDI objects after start.
2. CPU: the program armed for one hour, 60.5 s watched: its CPU time over those 60 Ticks and
   every change of its label 标签1 (each must be one second less than the one before).
3. objects, in a world of its own whose wineserver traces every request: GDI and USER objects
   after start, after 1,000 Ticks, after the first tray menu and after 100 tray menus.

Where Wine's answers are not Windows' (measured on wine-8.0):
- GetGuiResources returns 0 for both flags. GDI objects are counted in the program's own GDI
  handle table, which Wine keeps in the process and the PEB points to (GdiSharedHandleTable):
  live entries without the stock flag. USER objects are counted from the wineserver's request
  trace: the program's windows (create_window / destroy_window), other user handles (menus,
  icons, cursors: alloc_user_handle / free_user_handle) and hooks (set_hook / remove_hook).
  The windows that the probe can enumerate are shown beside them as a check.
- GetProcessTimes of another process returns the caller's own times. The program's CPU time is
  read where Wine reads it for itself: the kernel's accounting of its Unix process, from
  /proc/<pid>/stat (user and kernel, in clock ticks) and, to the nanosecond,
  /proc/<pid>/task/*/schedstat.
- PROCESS_MEMORY_COUNTERS_EX.PrivateUsage is 0. PagefileUsage holds the private bytes (resident
  anonymous memory plus swap, from /proc/<pid>/status) but PeakPagefileUsage is the same value,
  not a peak, so the probe samples it for 0.5 s after the window shows. PeakWorkingSetSize is
  the kernel's real peak (VmHWM).

Prints one table and PASS or MISS per target; writes it to build/bench/results.txt as well.
Exit status 0 when every target is met, 1 when one is missed, 2 when a step fails.
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))
import harness  # noqa: E402  (the e2e harness: prefix, X server, program directory)

PAIRS = 10
SETTLE_S = 0.5  # before each start
WATCH_MS = 60500  # the 60th Tick comes one minute after arming
ARMED_SECONDS = 3600  # the probe arms 1 hour, 0 minutes, 0 seconds
TICKS = 1000
POPS = 100
KIB = 1024
MIB = 1024 * 1024
START_RATIO_TARGET = 1.3
PRIVATE_EXTRA_TARGET = 2 * MIB
CPU_TARGET_MS = 30
EXE_TARGET = 600 * KIB
CLOCK_TICK_MS = 1000 / os.sysconf("SC_CLK_TCK")
ENGINE_DLL = "SkinH_EL.dll"


class StepError(RuntimeError):
    pass


def windows_path(name):
    return f"{harness.PROGRAM_DIR_WINDOWS}\\{name}"


class Bench:
    def __init__(self, program, tools):
        self.program = program
        self.probe_exe = tools / "bench_probe.exe"
        self.baseline = tools / "bench_baseline.exe"
        for path in (program, self.probe_exe, self.baseline):
            if not path.is_file():
                raise StepError(f"{path} is missing: build first (bash scripts/build)")
        harness.PROGRAM = program
        self.runs = 0

    def session(self, name):
        session = harness.Session(name)
        for tool in (self.probe_exe, self.baseline):
            shutil.copy2(tool, session.program_dir / tool.name)
        return session

    def _probe_command(self, session, *args):
        return ["wine", str(session.program_dir / self.probe_exe.name), *map(str, args)]

    def _log(self, session, kind):
        self.runs += 1
        return session.case_dir / f"bench-{self.runs:03d}-{kind}.out"

    def run_probe(self, session, kind, *args, timeout=120):
        """One probe run to its end; its output as harness.Output."""
        log = self._log(session, kind)
        with open(log, "wb") as out:
            subprocess.run(self._probe_command(session, *args), env=session.env,
                           stdin=subprocess.DEVNULL, stdout=out, stderr=out, timeout=timeout)
        return checked(log)

    def start(self, session, exe_name):
        # The desktop finishes with the last program (its tray icon, its windows) first.
        time.sleep(SETTLE_S)
        output = self.run_probe(session, "start", "start", windows_path(exe_name))
        start, memory, objects = output.one("start"), output.one("memory"), output.one("objects")
        return {
            "visible_ms": float(start["visible-ms"]),
            "peak_working_set": memory.int("peak-working-set"),
            "private": memory.int("peak-pagefile-sampled"),
            "gdi": objects.int("gdi"),
            "windows": objects.int("windows"),
        }

    def cpu(self, session):
        """Arms the program and watches it; its CPU time is read from /proc at the probe's
        "armed" and "watched" lines."""
        log = self._log(session, "cpu")
        exe = windows_path(self.program.name)
        with open(log, "wb") as out:
            probe = subprocess.Popen(self._probe_command(session, "cpu", exe, WATCH_MS),
                                     env=session.env, stdin=subprocess.DEVNULL, stdout=out,
                                     stderr=out)
        try:
            unix_pid, samples = None, {}
            deadline = time.monotonic() + WATCH_MS / 1000 + 60
            while True:
                ended = probe.poll() is not None
                output = harness.Output(log.read_text(errors="replace"))
                if output.error:
                    raise StepError(f"probe: {output.error.line}; see {log}")
                if unix_pid is None and output.all("program"):
                    unix_pid = find_unix_pid(session, exe)
                for edge in ("armed", "watched"):
                    if edge not in samples and output.all(edge):
                        samples[edge] = cpu_sample(unix_pid)
                if "watched" in samples:
                    break
                if ended or time.monotonic() > deadline:
                    raise StepError(f"the cpu probe ended before the watch did; see {log}")
                # Between the edges nothing needs a look until just before the end.
                pause = 0.002
                if "armed" in samples:
                    watched_s = time.monotonic() - samples["armed"]["at"]
                    pause = max(pause, WATCH_MS / 1000 - 0.3 - watched_s)
                time.sleep(pause)
            probe.wait(timeout=60)
        finally:
            if probe.poll() is None:
                probe.kill()
                probe.wait()
        output = checked(log)
        armed, watched = samples["armed"], samples["watched"]
        seconds = [change.int("seconds") for change in output.all("change")]
        expected = list(range(ARMED_SECONDS - 1, ARMED_SECONDS - 1 - len(seconds), -1))
        return {
            "watched_ms": float(output.one("watched")["ms"]),
            "user_ms": (watched["utime"] - armed["utime"]) * CLOCK_TICK_MS,
            "kernel_ms": (watched["stime"] - armed["stime"]) * CLOCK_TICK_MS,
            "on_cpu_ms": (watched["on_cpu_ns"] - armed["on_cpu_ns"]) / 1e6,
            "threads": (armed["threads"], watched["threads"]),
            "changes": len(seconds),
            "steps_ok": seconds == expected,
            "label_same": output.one("label-check")["same"] == "1",
        }

    def objects(self, session):
        """Object counts from the probe, and USER objects from the wineserver's trace."""
        trace = session.case_dir / "wineserver-trace.txt"
        # Started first, so that the server's standard error, where it traces, is this file.
        with open(trace, "wb") as out:
            subprocess.run(["wineserver", "-p"], env=session.env, stdin=subprocess.DEVNULL,
                           stdout=out, stderr=out, timeout=60, check=True)
        output = self.run_probe(session, "objects", "objects",
                            windows_path(self.program.name), TICKS, POPS, "trace",
                            timeout=600)
        user = user_objects_by_mark(trace, output.one("program").int("pid"))
        counts = {}
        for record in output.all("objects"):
            moment = record["at"]
            counts[moment] = {
                "gdi": record.int("gdi"),
                "gdi_kinds": record["gdi-kinds"],
                "windows": record.int("windows"),
                "gui": (record.int("gui-gdi"), record.int("gui-user")),
                "user": user.get(moment),
            }
        return counts


def checked(log):
    output = harness.Output(log.read_text(errors="replace"))
    if output.error:
        raise StepError(f"probe: {output.error.line}; see {log}")
    return output


def find_unix_pid(session, exe):
    """The Unix process of the program: its first argument is the Windows path that the probe
    started, and its environment names this session's prefix."""
    prefix = f"WINEPREFIX={session.prefix}".encode()
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            argv = (entry / "cmdline").read_bytes().split(b"\0")
            environ = (entry / "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if argv[0] == exe.encode() and prefix in environ:
            return int(entry.name)
    raise StepError(f"no Unix process runs {exe} in {session.prefix}")


def cpu_sample(unix_pid):
    stat = Path(f"/proc/{unix_pid}/stat").read_text()
    fields = stat[stat.rindex(")") + 2:].split()  # the fields after the command name
    on_cpu = 0
    tasks = list(Path(f"/proc/{unix_pid}/task").iterdir())
    for task in tasks:
        on_cpu += int((task / "schedstat").read_text().split()[0])
    return {"at": time.monotonic(), "utime": int(fields[11]), "stime": int(fields[12]),
            "on_cpu_ns": on_cpu, "threads": len(tasks)}


TRACE_LINE = re.compile(r"^([0-9a-f]{4,8}): (\w+)(\(\)|\() ?(.*)$")
HANDLE = re.compile(r"\bhandle=([0-9a-f]+)")
MARK = re.compile(r'name=L"quorvel-bench-mark (\w+)"')
CREATED = {"create_window": "windows", "alloc_user_handle": "other", "set_hook": "hooks"}
RELEASED = {"destroy_window", "free_user_handle", "remove_hook"}


def user_objects_by_mark(trace, pid):
    """The program's live USER objects at each of the probe's marks, from the wineserver's
    request trace: "<tid>: request( ... )" and "<tid>: request() = status { ... }" lines."""
    threads, live, counts = set(), {}, {}
    with open(trace, encoding="latin-1") as lines:
        for line in lines:
            match = TRACE_LINE.match(line.rstrip("\n"))
            if not match:
                continue
            tid, request, reply, rest = int(match[1], 16), match[2], match[3] == "()", match[4]
            if request in ("init_first_thread", "init_thread") and reply:
                owner = re.search(r"\bpid=([0-9a-f]+)", rest)
                if owner and int(owner[1], 16) == pid:
                    threads.add(tid)
            elif request == "find_atom" and not reply and MARK.search(rest):
                kinds = {kind: 0 for kind in CREATED.values()}
                for kind in live.values():
                    kinds[kind] += 1
                counts[MARK.search(rest)[1]] = kinds
            if tid not in threads:
                continue
            handle = HANDLE.search(rest)
            if reply and request in CREATED and rest.startswith("= 0 ") and handle:
                live[handle[1]] = CREATED[request]
            elif not reply and request in RELEASED and handle:
                live.pop(handle[1], None)
    if not threads:
        raise StepError(f"the trace {trace} holds no thread of process {pid}")
    return counts


# The table.

def median_range(values, digits=1, scale=1):
    values = [v / scale for v in values]
    return f"{statistics.median(values):.{digits}f} ({min(values):.{digits}f}–{max(values):.{digits}f})"


WIDTHS = (40, 25, 25, 9, 20)
MOMENTS = ("start", "ticks", "menu", "menus")


class Table:
    def __init__(self):
        self.lines, self.missed = [], []
        self.row("measure", "ours: median (min–max)", "baseline", "ours/base", "target", "")

    def row(self, *cells):
        text = "  ".join(str(c).ljust(w) for c, w in zip(cells, WIDTHS + (0,)))
        self.lines.append(text.rstrip())

    def measure(self, name, ours, base="", ratio="", target="", met=None):
        verdict = "" if met is None else ("PASS" if met else "MISS")
        if met is False:
            self.missed.append(name)
        self.row(name, ours, base, ratio, target, verdict)

    def note(self, text):
        self.lines.append(" " * (WIDTHS[0] + 2) + text)


def report(starts, cpu, objects, sizes, context):
    table = Table()
    ours, base = starts["A"], starts["B"]

    def values(key):
        return [run[key] for run in ours], [run[key] for run in base]

    a, b = values("visible_ms")
    ratio = statistics.median(a) / statistics.median(b)
    table.measure("start to window visible, ms", median_range(a), median_range(b), f"{ratio:.2f}",
                  f"≤ {START_RATIO_TARGET} × baseline", ratio <= START_RATIO_TARGET)
    a, b = values("private")
    extra = statistics.median(a) - statistics.median(b)
    table.measure("peak private bytes, MiB", median_range(a, 2, MIB), median_range(b, 2, MIB),
                  f"{statistics.median(a) / statistics.median(b):.2f}", "≤ baseline + 2 MiB",
                  extra <= PRIVATE_EXTRA_TARGET)
    table.note(f"ours − baseline {extra / MIB:+.2f} MiB (pagefile bytes, sampled)")
    a, b = values("peak_working_set")
    table.measure("peak working set, MiB", median_range(a, 2, MIB), median_range(b, 2, MIB),
                  f"{statistics.median(a) / statistics.median(b):.2f}")

    total = cpu["on_cpu_ms"]
    table.measure(f"CPU over {cpu['changes']} Ticks, ms", f"{total:.1f}", "", "",
                  f"≤ {CPU_TARGET_MS} ms", total <= CPU_TARGET_MS)
    table.note(f"{cpu['watched_ms'] / 1000:.1f} s armed; {total / max(cpu['changes'], 1):.2f} ms a "
               f"Tick; user {cpu['user_ms']:.0f} + kernel {cpu['kernel_ms']:.0f} ms in "
               f"{CLOCK_TICK_MS:.0f} ms clock ticks; threads {cpu['threads'][0]}→{cpu['threads'][1]}")
    table.measure("label changes in that time", str(cpu["changes"]), "", "",
                  "60, each 1 s less", cpu["changes"] == 60 and cpu["steps_ok"])
    if not cpu["label_same"]:
        table.note("the label's stored text and its WM_GETTEXT answer differ")

    table.row(f"objects at start / {TICKS} Ticks /", "", "", "", "")
    table.row(f"  1 tray menu / {POPS} tray menus", "", "", "", "")
    # The baseline's column: its counts after start, from the start runs.
    base_counts = {key: median_range(values(key)[1], 0) for key in ("gdi", "windows")}
    for key, name in (("gdi", "  GDI, own handle table"), ("user", "  USER, wineserver trace"),
                      ("windows", "  of them windows")):
        counts = [objects[moment][key] for moment in MOMENTS]
        counts = [sum(c.values()) if isinstance(c, dict) else c for c in counts]
        flat = counts[1] == counts[0] and counts[3] == counts[2]
        table.measure(name, " / ".join(map(str, counts)), base_counts.get(key, ""), "", "flat",
                      flat)
    first, last = objects["start"], objects["menus"]
    table.note(f"GDI by Wine type, at start: {first['gdi_kinds']}")
    table.note(f"after {POPS} menus: {last['gdi_kinds']}")
    table.note(f"USER at start: {first['user']}")
    table.note(f"GetGuiResources answers GDI {first['gui'][0]}, USER {first['gui'][1]}")

    table.measure("exe size, KiB", f"{sizes['exe'] / KIB:.1f}", f"{sizes['baseline'] / KIB:.1f}",
                  "", "≤ 600 KiB", sizes["exe"] <= EXE_TARGET)
    dll = sizes["dll"]
    table.measure(f"{ENGINE_DLL} size, KiB", "n/a" if dll is None else f"{dll / KIB:.1f}")

    header = [f"Quorvel Timer benchmark, {time.strftime('%Y-%m-%d %H:%M')}, {context['wine']}, "
              f"{len(ours)} pairs A B after a warm-up pair",
              f"load average before {context['load_before']}, after {context['load_after']}; "
              f"{os.cpu_count()} CPUs", ""]
    footer = ["", "all targets met" if not table.missed else "missed: " + "; ".join(table.missed)]
    return "\n".join(header + table.lines + footer), not table.missed


def load_average():
    return " ".join(f"{v:.2f}" for v in os.getloadavg())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", type=Path, default=harness.PROGRAM)
    parser.add_argument("--tools", type=Path, default=REPO / "build" / "win" / "bench",
                        help="directory of bench_probe.exe and bench_baseline.exe")
    parser.add_argument("--pairs", type=int, default=PAIRS)
    parser.add_argument("--results", type=Path, default=REPO / "build" / "bench" / "results.txt")
    args = parser.parse_args()
    context = {"wine": harness._wine_version(), "load_before": load_average()}
    try:
        bench = Bench(args.program.resolve(), args.tools.resolve())
        session = bench.session("bench-start-cpu")
        try:
            runs = {"A": bench.program.name, "B": bench.baseline.name}
            for exe in runs.values():  # warm-up
                bench.start(session, exe)
            starts = {"A": [], "B": []}
            for pair in range(args.pairs):
                for key, exe in runs.items():
                    starts[key].append(bench.start(session, exe))
                print(f"pair {pair + 1}/{args.pairs}: ours {starts['A'][-1]['visible_ms']:.0f} ms, "
                      f"baseline {starts['B'][-1]['visible_ms']:.0f} ms", flush=True)
            dll = session.program_dir / ENGINE_DLL
            sizes = {"exe": bench.program.stat().st_size, "baseline": bench.baseline.stat().st_size,
                     "dll": dll.stat().st_size if dll.is_file() else None}
            print(f"CPU: watching the armed countdown for {WATCH_MS / 1000:.1f} s", flush=True)
            cpu = bench.cpu(session)
        finally:
            session.close()
        print(f"objects: {TICKS} Ticks and {POPS} tray menus, traced", flush=True)
        session = bench.session("bench-objects")
        try:
            objects = bench.objects(session)
        finally:
            session.close()
    except (StepError, harness.DriverError, subprocess.TimeoutExpired) as error:
        print(f"bench: {error}", file=sys.stderr)
        return 2
    context["load_after"] = load_average()
    table, met = report(starts, cpu, objects, sizes, context)
    args.results.parent.mkdir(parents=True, exist_ok=True)
    args.results.write_text(table + "\n")
    print()
    print(table)
    print(f"\n(also in {args.results}; logs under {harness.WORK / 'cases'}/bench-*)")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
