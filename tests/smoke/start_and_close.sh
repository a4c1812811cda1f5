#!/usr/bin/env bash
# Starts a program offscreen from a copy in a fresh folder, asks it to end as a session logout
# does (SIGTERM) once start-up has created its settings file, and checks that it exits with
# status 0 after writing the settings file.
set -euo pipefail
exe=$1
name=$(basename "$exe")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$exe" "$folder/"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$folder" "$folder/$name" &
pid=$!
for _ in $(seq 200); do
    [ -e "$folder/$name.ini" ] && break
    sleep 0.05
done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "$name exited with status $status"; exit 1; }
grep -q "^CH0F ,869.9250," "$folder/$name.ini" || { echo "no settings written"; cat -A "$folder/$name.ini"; exit 1; }
echo "$name started and closed with status 0"
