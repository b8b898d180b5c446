#!/usr/bin/env bash
# Measures the whole program and prints a short table:
#  - each handler's CPU time beside the port instructions and firmware calls it made, and
#    the ratio of its own work to what those instructions take on the notebook's bus at
#    1 us each (target: below 5%);
#  - the hibernation file's creation time at 1 MiB and 1 GiB (target: ratio below 2);
#  - the start-up time of TOVIKA-SIM.exe under Wine and Xvfb against two yardsticks started
#    and timed the same way (bench/win32): a plain window showing the same page as TOVIKA
#    (target ratio 1.25 or less) and the bare window with its report box; the first showing
#    of the 省電力 page, clicked at once and once the window has settled; where the start-up
#    goes, from the program's own profile marks (TOVIKA_PROFILE). All on the i686 build where
#    this machine executes 32-bit code, on the x86-64 build otherwise (TOVIKA_E2E chooses);
#  - the size of the released i686 executables with their five largest contributors (linker
#    map), and the peak memory of the native benchmark process.
# Benchmarks report figures; they never fail on a missed target.
#
#   STARTUP_RUNS=N bash scripts/bench.sh     (default 15 starts of each program)
#   BENCH_LOCALE=en_US.UTF-8 bash scripts/bench.sh
#
# BENCH_LOCALE is the locale that Wine runs the programs in (default ja_JP.UTF-8, with LC_ALL
# set as the other scripts set it); any other is set as LANG with LC_ALL unset, as a Western
# system runs the window: en_US.UTF-8 gives code page 1252 and the English window.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${STARTUP_RUNS:-15}

if [ "$(id -u)" = 0 ]; then bash scripts/install-deps.sh; else sudo bash scripts/install-deps.sh; fi
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 >/dev/null
source scripts/wine-arch.sh
build=$(tovika_windows_build)
if [ "$build" != win32 ]; then
  cmake --preset "$build" >/dev/null && cmake --build --preset "$build" >/dev/null
fi

out=build/bench/results
mkdir -p "$out"
/usr/bin/time -v -o "$out/time.txt" build/bench/bench/tovika_bench --benchmark_min_time=0.2 \
    --benchmark_format=json --benchmark_out="$out/bench.json" --benchmark_out_format=json >/dev/null

# Start-up under Wine: the three programs started the same way by one probe, alternating,
# after two untimed rounds that warm up the wineserver, Wine's own processes and the caches.
startup="$out/startup.txt"
profile="$out/profile.txt"
: >"$startup"
: >"$profile"
tovika_use_wine "$build"
locale=${BENCH_LOCALE:-ja_JP.UTF-8}
if [ "$locale" = ja_JP.UTF-8 ]; then export LANG=$locale LC_ALL=$locale; else export LANG=$locale; unset LC_ALL; fi
export WINEDEBUG=-all
export WINEPREFIX=$root/build/bench/wineprefix-$build
display=:$((40 + RANDOM % 20))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
bash scripts/wine-prefix.sh "$WINEPREFIX" >/dev/null 2>&1
work=$(mktemp -d)
cp build/$build/TOVIKA-SIM.exe build/$build/bench/win32/same_page_window.exe \
   build/$build/bench/win32/bare_window.exe build/$build/bench/win32/startup_probe.exe "$work/"
echo "start-up measured on the programs of build/$build in $locale: $(tovika_build_reason)" >"$out/startup-build.txt"
# Tab 3 is 省電力.
(cd "$work" && wine startup_probe.exe "$runs" --page 3 TOVIKA-SIM.exe TfrmMAIN \
   same_page_window.exe SamePageWindow bare_window.exe BareWindow) \
    >"$startup" 2>&1 || echo "startup probe failed: $(tail -1 "$startup")" >&2
# The program's own marks, from starts of their own (writing them costs a little).
(cd "$work" && TOVIKA_PROFILE='C:\tovika-profile.txt' wine startup_probe.exe 7 TOVIKA-SIM.exe TfrmMAIN) \
    >/dev/null 2>&1 || echo "profiled starts failed" >&2
iconv -f CP932 -t UTF-8 "$WINEPREFIX/drive_c/tovika-profile.txt" >"$profile" 2>/dev/null || true
rm -f "$WINEPREFIX/drive_c/tovika-profile.txt"
wineserver -k 2>/dev/null || true
rm -rf "$work"

python3 - "$out" build/win32 <<'PY'
import json, re, sys, os, collections, statistics
out, win = sys.argv[1], sys.argv[2]
b = json.load(open(f"{out}/bench.json"))["benchmarks"]
print("Handlers (native, in-memory simulated notebook; own/port = CPU time / (1 us per port instruction or firmware call), target < 5%)")
print(f"  {'handler':<22}{'CPU time':>12}{'port insns':>12}{'fw calls':>10}{'own/port':>10}")
hiber = {}
for r in b:
    name = r["name"].split("/")[0].replace("BM_", "")
    if name == "HibernationFile":
        hiber[int(r["name"].split("/")[1])] = r["real_time"]
        continue
    if "port_insns" not in r:
        continue
    ratio = r.get("own/port", 0)
    print(f"  {name:<22}{r['cpu_time']/1000:>10.2f}us{r['port_insns']:>12.0f}{r['fw_calls']:>10.0f}{ratio*100:>9.2f}%")
if hiber:
    small, big = hiber.get(1 << 20), hiber.get(1 << 30)
    print("Hibernation file creation (real time; target ratio < 2)")
    print(f"  1 MiB {small/1000:.1f} us, 1 GiB {big/1000:.1f} us, ratio {big/small:.2f}")

s = open(f"{out}/startup.txt").read()
med = {p: float(v) for p, v in re.findall(r"^startup_median_ms (\S+) ([\d.]+)", s, re.M)}
page = dict(re.findall(r"^(page_\w+)_median_ms \S+ \d+ ([\d.]+)", s, re.M))
print("Start-up under Wine + Xvfb (median of alternating starts, ready = the report answers WM_GETTEXT)")
print("  " + open(f"{out}/startup-build.txt").read().strip())
if len(med) == 3:
    t, same, bare = med["TOVIKA-SIM.exe"], med["same_page_window.exe"], med["bare_window.exe"]
    print(f"  TOVIKA-SIM.exe {t:.1f} ms, same-page window {same:.1f} ms, bare window {bare:.1f} ms")
    print(f"start-up ratio to the same-page window: {t / same:.2f}")
    print(f"start-up ratio to the bare window: {t / bare:.2f}")
    if page:
        print(f"  first showing of 省電力 until painted: clicked at once {float(page['page_at_once']):.1f} ms, "
              f"once the window has settled {float(page['page_settled']):.1f} ms")
else:
    print("  not measured: " + (s.strip().splitlines()[-1] if s.strip() else "no output"))

# The profile: one block per start, each from "process start to WinMain"; the median of
# each step's own time over the starts, in the order of the steps.
runs, order = [], []
for line in open(f"{out}/profile.txt", encoding="utf-8", errors="replace"):
    m = re.match(r"\s*([\d.]+)\s+([\d.]+) (.*\S)", line)
    if not m:
        continue
    step = m.group(3)
    if step == "process start to WinMain":
        runs.append({})
    if runs:
        runs[-1][step] = float(m.group(2))
        if step not in order:
            order.append(step)
if runs:
    print(f"Where TOVIKA-SIM.exe's start-up goes (TOVIKA_PROFILE, median over {len(runs)} starts, ms)")
    total = 0.0
    for step in order:
        values = [r[step] for r in runs if step in r]
        if len(values) * 2 < len(runs):
            continue
        v = statistics.median(values)
        total += v
        print(f"  {v:7.1f}  {step}")

def contributors(path):
    """Bytes per object file in the linked image, from the memory map of a GNU ld map file."""
    counts = collections.Counter()
    started, pending = False, None
    for line in open(path, errors="replace"):
        if line.startswith("Linker script and memory map"):
            started = True
        if not started:
            continue
        m = re.match(r"^ (\.\S+)\s*$", line)
        if m:
            pending = m.group(1)  # a long section name stands on a line of its own
            continue
        m = re.match(r"^ (\.\S+)?\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if m and (m.group(1) or pending):
            counts[re.sub(r".*/", "", m.group(3).strip())] += int(m.group(2), 16)
        pending = None
    return counts

print("Executables (target 200 KiB each)")
for exe in ("TOVIKA.exe", "TOVIKA-SIM.exe"):
    size = os.path.getsize(f"{win}/{exe}")
    top = ", ".join(f"{k} {v/1024:.1f}K" for k, v in contributors(f"{win}/{exe[:-4]}.map").most_common(5))
    print(f"  {exe:<16}{size/1024:>7.1f} KiB   largest: {top}")
t = open(f"{out}/time.txt").read()
rss = re.search(r"Maximum resident set size \(kbytes\): (\d+)", t)
print(f"Peak memory of the native benchmark process: {int(rss.group(1))/1024:.1f} MiB" if rss else "")
PY
