#!/usr/bin/env bash
# One instance at a time: a second start says "既に実行されています." under the default
# title, brings the first window forward and restores it when minimised, and ends; the first
# goes on. Once the first has ended, a start runs as the first again. Two starts that meet
# between the instance test and the creation of the mutex, and several starts at the same
# moment, leave exactly one running.
source "$(dirname "$0")/lib.sh"
e2e_begin single_instance

e2e_start
first=$E2E_PID
drv wait-window >/dev/null
first_window=$(value window "$(drv window)")

# ---- a second start while the first is minimised
drv minimize >/dev/null
expect_value iconic 1 "$(drv window)"
e2e_start
second=$E2E_PID
d=$(drv dialog)
expect_value title Tovika-sim "$d"
expect_value text 既に実行されています. "$d"
expect_value buttons OK "$d"
shot second-start-message
# Nothing happens to the first window until the message is closed.
expect_value iconic 1 "$(drv window)"
drv answer OK >/dev/null
expect_exit "$second" 0 "second instance's exit status"
w=$(drv window)
expect_value iconic 0 "$w"
expect_value foreground 1 "$w"
expect_value client 512x383 "$w"
c=$(drv count)
expect_value windows 1 "$c"
expect_value dialogs 0 "$c"
e2e_running "$first" || e2e_fail "the first instance has ended"
shot first-restored

# ---- a second start while the first is visible: brought forward, nothing else
e2e_start
second=$E2E_PID
expect_value text 既に実行されています. "$(drv dialog)"
drv answer OK >/dev/null
expect_exit "$second" 0 "second instance's exit status"
w=$(drv window)
expect_value iconic 0 "$w"
expect_value foreground 1 "$w"
expect_value windows 1 "$(drv count)"

# ---- after the first has ended, a new start runs as the first
drv close
expect_exit "$first" 0 "first instance's exit status"
drv wait-gone
e2e_start
again=$E2E_PID
drv wait-window >/dev/null
drv no-dialog >/dev/null
expect_value windows 1 "$(drv count)"
drv close
expect_exit "$again" 0 "exit status"
drv wait-gone

# ---- two starts meet between the test for a running instance and the creation of the
# mutex: the driver holds one start there until the other has opened its window. The held
# one then finds the mutex taken and gives way like any second start.
drv_try race "$E2E_EXE_WIN" >"$E2E_DIR/race.out" &
racer=$!
d=$(drv dialog)
expect_value title Tovika-sim "$d"
expect_value text 既に実行されています. "$d"
expect_value windows 1 "$(drv count)"
drv answer OK >/dev/null
wait "$racer" || e2e_fail "driver race: $(cat "$E2E_DIR/race.out")"
expect_value exit 0 "$(cat "$E2E_DIR/race.out")"
c=$(drv count)
expect_value windows 1 "$c"
expect_value dialogs 0 "$c"
drv close
drv wait-gone

# ---- several starts at the same moment: all wait at one gate, then go together
starts=5
gate=$E2E_DIR/gate
pids=()
for i in $(seq $starts); do
  (while [ ! -e "$gate" ]; do sleep 0.01; done; cd "$E2E_APP" && exec wine "$E2E_EXE_WIN") \
    >"$E2E_DIR/race-$i.log" 2>&1 &
  pids+=($!)
done
touch "$gate"
drv -t 60000 --until "dialogs=$((starts - 1))" count >/dev/null
drv wait-window >/dev/null
c=$(drv count)
expect_value windows 1 "$c"
expect_value dialogs $((starts - 1)) "$c"
shot race
drv answer OK all >/dev/null
running=()
for pid in "${pids[@]}"; do
  for _ in $(seq 100); do e2e_running "$pid" || break; sleep 0.1; done
  if e2e_running "$pid"; then running+=("$pid"); else
    expect_exit "$pid" 0 "exit status of a start that gave way"
  fi
done
expect_eq "instances left running" 1 "${#running[@]}"
expect_value windows 1 "$(drv count)"
drv close
expect_exit "${running[0]}" 0 "exit status"
