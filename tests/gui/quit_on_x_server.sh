#!/bin/sh
# veltsim --gui on the X server of DISPLAY: once its command line window is there, types quit
# and Return into it as a person would, and expects the program to end with status 0 within
# 30 seconds. Usage: quit_on_x_server.sh VELTSIM DECK
program=$1
deck=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# Settings and plots of its own, so that runs side by side share nothing.
cd "$home" && XDG_CONFIG_HOME="$home" "$program" --gui "$deck" &
pid=$!
window=$(timeout 30 xdotool search --sync --name '命令行/日志' | head -n 1)
if [ -z "$window" ]; then
    echo "the command line window did not appear"
    kill "$pid"
    exit 1
fi
xdotool windowfocus --sync "$window"
xdotool type --delay 20 quit
xdotool key Return
tries=0
while kill -0 "$pid" 2>/dev/null; do
    tries=$((tries + 1))
    if [ "$tries" -gt 300 ]; then
        echo "veltsim did not end within 30 s of quit"
        kill "$pid"
        exit 1
    fi
    sleep 0.1
done
wait "$pid"
status=$?
echo "veltsim ended with status $status"
exit "$status"
