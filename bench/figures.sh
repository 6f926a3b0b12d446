#!/usr/bin/env bash
# Figures of the real program under Xvfb, side by side with KDE's kblocks (a Qt game of the genre,
# installed from Debian here when missing): start-up to the mapped window (median of 5), RSS and
# PSS 5 s after a game started with music, CPU over 10 s idle before a game, over 10 s of play
# without keys and over 10 s with a key every 100 ms. Each run has a fresh settings folder and the
# dummy audio driver. Then Pelmo's own cost of waiting for game controllers (build/bin/GamepadIdleBench):
# CPU idle before a game with no controller and with one (virtual) controller attached, from the
# process's own CPU time over 20 s each. Only the processes this script starts are ever stopped, by their ids.
#
#   bench/figures.sh [--display N] [label=program ...]
# Default program: Pelmo2000=build/bin/Pelmo2000. N defaults to the first free display of 90..99.
set -euo pipefail
cd "$(dirname "$0")/.."

display=""
programs=()
while [ $# -gt 0 ]; do
  case $1 in
    --display) display=$2; shift 2 ;;
    *=*) programs+=("$1"); shift ;;
    *) echo "usage: $0 [--display N] [label=program ...]" >&2; exit 2 ;;
  esac
done
[ ${#programs[@]} -gt 0 ] || programs=("Pelmo2000=build/bin/Pelmo2000")

if [ ! -x /usr/games/kblocks ]; then
  echo "figures: installing kblocks to compare with" >&2
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends kblocks >/dev/null
fi
programs+=("kblocks=/usr/games/kblocks")

if [ -z "$display" ]; then
  for n in $(seq 90 99); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=$n; break; fi
  done
fi
[ -n "$display" ] || { echo "figures: no free display among 90..99" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
dbus_pid=""
app_pid=""
cleanup()
{
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$dbus_pid" ] && kill "$dbus_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
# KDE games will not start without a session bus: one of our own for this run.
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
dbus_pid=$(sed -n 2p <<<"$bus")

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

# Starts a program with a fresh home and settings; sets app_pid, window and startup_ms (to the mapped window).
launch()
{
  local program=$1 home
  home=$(mktemp -d "$work/home.XXXX")
  mkdir -p "$home/config" "$home/data" "$home/cache"
  local start
  start=$(now_ms)
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache \
    SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
  app_pid=$!
  window=""
  for _ in $(seq 2000); do
    window=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.002
  done
  startup_ms=$(( $(now_ms) - start ))
}

stop_app()
{
  local status=0
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || status=$?
  # 143: ended by our SIGTERM. Anything else is worth knowing.
  [ "$status" -eq 0 ] || [ "$status" -eq 143 ] || echo "figures: $label ended with status $status" >&2
  app_pid=""
}

cpu_percent() # pid seconds
{
  local before after
  before=$(ticks "$1")
  sleep "$2"
  after=$(ticks "$1")
  awk -v t=$((after - before)) -v hz="$hz" -v s="$2" 'BEGIN { printf "%.1f", 100 * t / hz / s }'
}

memory() # pid: "RSS PSS" in MiB
{
  awk '/^Rss:/ {r=$2} /^Pss:/ {p=$2} END {printf "%.1f %.1f\n", r/1024, p/1024}' "/proc/$1/smaps_rollup"
}

new_game_key() { case $1 in kblocks) echo ctrl+n ;; *) echo F2 ;; esac; }
play_key() { case $1 in kblocks) echo Up ;; *) echo KP_8 ;; esac; }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
printf '%-12s %10s %9s %9s %10s %10s %10s\n' program "start ms" "RSS MiB" "PSS MiB" "idle %" "play %" "keys %"
for entry in "${programs[@]}"; do
  label=${entry%%=*}
  program=${entry#*=}
  starts=()
  for _ in 1 2 3 4 5; do
    launch "$program"
    starts+=("$startup_ms")
    sleep 0.5
    stop_app
  done
  start_ms=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)

  launch "$program"
  sleep 1
  idle=$(cpu_percent "$app_pid" 10)
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus "$window" || true
  xdotool key --window "$window" "$(new_game_key "$label")"
  sleep 5
  read -r rss pss < <(memory "$app_pid")
  play=$(cpu_percent "$app_pid" 10)
  xdotool key --delay 100 --repeat 100 "$(play_key "$label")" &
  keys_pid=$!
  keys=$(cpu_percent "$app_pid" 10)
  wait "$keys_pid" || true
  stop_app
  printf '%-12s %10s %9s %9s %10s %10s %10s\n' "$label" "$start_ms" "$rss" "$pss" "$idle" "$play" "$keys"
done
if [ -x build/bin/GamepadIdleBench ]; then
  home=$(mktemp -d "$work/home.XXXX")
  HOME=$home SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb build/bin/GamepadIdleBench 20 2>/dev/null | sed 's/^/Pelmo2000 /'
fi
echo "load average before: $load_before, after: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
