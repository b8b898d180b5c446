#!/usr/bin/env python3
"""tovika and coreboot's nvramtool on the same CMOS images, through the layout that
`tovika layout` prints. Every comparison runs on copies (nvramtool's -D opens its file
read-write and a write leaves 256 bytes).

The images: the factory image; an image written by `tovika --image set` for each item of
each setting; random bytes (a fixed seed, so that a failure can be repeated).
  reading  `nvramtool -a` and `tovika show --json` give each setting the same value wherever
           nvramtool's value is an item and the serial/infrared rule does not apply on a load
  writing  on the factory image, `nvramtool -w key=item` and `tovika set key=item` leave the
           same 128 bytes, for every item of every setting written alone (no following IRQ, no
           partner rule)
  names    `nvramtool -e key` lists exactly tovika's item names (nvramtool in the order of
           their codes)
"""
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile

tovika = sys.argv[1]
nvramtool = shutil.which("nvramtool")
if not nvramtool:
    sys.exit("nvramtool is not installed (Debian's coreboot-utils; scripts/install-deps.sh installs it)")

work = tempfile.mkdtemp()
failures = []


def run(*args, check=True):
    p = subprocess.run(args, capture_output=True, text=True)
    if check and p.returncode != 0:
        sys.exit(f"{' '.join(args)}: status {p.returncode}: {p.stderr.strip()}")
    return p


def path(name):
    return os.path.join(work, name)


def copy_of(image, name):
    with open(path(name), "wb") as f:
        f.write(image)
    return path(name)


layout = path("layout")
with open(layout, "w") as f:
    f.write(run(tovika, "layout").stdout)

os.mkdir(path("sim"))
run(tovika, "--sim", path("sim"), "show")
with open(path("sim/sim-cmos.dat"), "rb") as f:
    factory = f.read()

settings = json.loads(run(tovika, "--image", path("sim/sim-cmos.dat"), "show", "--json").stdout)["settings"]
keys = [s["key"] for s in settings]


def item_names(key):
    # tovika names the items of a setting when a value is none of them.
    err = run(tovika, "--image", path("sim/sim-cmos.dat"), "set", "--dry-run", key + "=?", check=False).stderr
    listed = err[err.index("(one of: ") + 9:err.index(", #0-#")]
    return listed.split(", ")


items = {key: item_names(key) for key in keys}
followed = {e.split()[-1][:-4] for e in open(layout) if e.split() and e.split()[-1].endswith("-irq")}
partners = {"serial-port", "infrared-port"}

# ---- names
for key in keys:
    listed = run(nvramtool, "-y", layout, "-e", key).stdout.split()
    if sorted(listed) != sorted(items[key]) or len(set(listed)) != len(listed):
        failures.append(f"names of {key}: nvramtool {listed}, tovika {items[key]}")

# ---- the images
images = [("factory", factory)]
for key in keys:
    for item in items[key]:
        image = copy_of(factory, "set.dat")
        run(tovika, "--image", image, "set", f"{key}={item}")
        with open(image, "rb") as f:
            images.append((f"set {key}={item}", f.read()))
rng = random.Random(30)
images += [(f"random #{n}", bytes(rng.randrange(256) for _ in range(128))) for n in range(40)]

# ---- reading
compared = 0
for what, image in images:
    by_nvramtool = {}
    # A random image's checksum is bad: nvramtool warns, ends with status 1 and prints anyway.
    for line in run(nvramtool, "-y", layout, "-D", copy_of(image, "read.dat"), "-a", check=False).stdout.splitlines():
        if line.startswith("#") or " = " not in line:
            continue
        key, value = line.split(" = ", 1)
        by_nvramtool[key] = value
    shown = json.loads(run(tovika, "--image", copy_of(image, "show.dat"), "show", "--json").stdout)["settings"]
    by_tovika = {s["key"]: s["name"] for s in shown}
    # On a load the infrared port is moved off the serial port's address.
    shared = by_nvramtool.get("serial-port") == by_nvramtool.get("infrared-port") != "off"
    for key in keys:
        value = by_nvramtool.get(key)
        if value not in items[key] or (shared and key in partners):
            continue
        compared += 1
        if by_tovika[key] != value:
            failures.append(f"reading {what}: {key} is {value} to nvramtool, {by_tovika[key]} to tovika")

# ---- writing
written = 0
for key in keys:
    if key in followed or key in partners:
        continue
    for item in items[key]:
        a, b = copy_of(factory, "nvramtool.dat"), copy_of(factory, "tovika.dat")
        run(nvramtool, "-y", layout, "-D", a, "-w", f"{key}={item}")
        run(tovika, "--image", b, "set", f"{key}={item}")
        with open(a, "rb") as fa, open(b, "rb") as fb:
            ba, bb = fa.read()[:128], fb.read()
        written += 1
        if ba != bb:
            diff = ", ".join(f"{i:02X}h nvramtool {x:02X} tovika {y:02X}" for i, (x, y) in enumerate(zip(ba, bb)) if x != y)
            failures.append(f"writing {key}={item}: {diff}")

shutil.rmtree(work)
for f in failures:
    print("FAIL:", f, file=sys.stderr)
print(f"nvramtool: {len(images)} images, {compared} values read alike, {written} writes compared, "
      f"{len(keys)} settings' names; {len(failures)} differences")
sys.exit(1 if failures else 0)
