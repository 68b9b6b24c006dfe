#!/usr/bin/env bash
# The nightly backup script: every yearly file of a folder is backed up
# through the server, and only the newest DORPAK_KEEP backups of each stay.
#   backup_script_test.sh SCRIPT ADMIN SERVER WORKDIR
set -euo pipefail
script=$1 admin=$2 server=$3 work=$4
rm -rf "$work"
mkdir -p "$work/data" "$work/bin"
ln -s "$admin" "$work/bin/dorpak-admin"
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=offscreen
dorpak-admin create "$work/data/DORPAK2025.GDB" >/dev/null
dorpak-admin create "$work/data/DORPAK2026.GDB" >/dev/null
touch "$work/data/DORPAK2026.GDB.bak" "$work/data/NOTES.GDB" # not yearly files

export DORPAK_FOLDER="$work/data" DORPAK_BACKUPS="$work/backups" DORPAK_SERVER="$server" DORPAK_KEEP=2
for night in 1 2 3; do
  "$script"
  sleep 1 # the backups are named by the second
done
for year in 2025 2026; do
  count=$(ls "$work/backups" | grep -c "^DORPAK$year-.*\.fbk$")
  [ "$count" = 2 ] || { echo "DORPAK$year: $count backups kept, not 2" >&2; ls -l "$work/backups" >&2; exit 1; }
done
[ "$(ls "$work/backups" | wc -l)" = 4 ] || { echo "unexpected files:" >&2; ls "$work/backups" >&2; exit 1; }
# The newest backup restores.
newest=$(ls "$work/backups"/DORPAK2026-*.fbk | sort | tail -n 1)
dorpak-admin restore "$newest" "$work/DORPAK2026-restored.GDB" >/dev/null

# A night that fails keeps the backups there are and says so.
if DORPAK_SERVER=127.0.0.1/1 "$script" 2>/dev/null; then
  echo "a failing backup should fail the script" >&2; exit 1
fi
[ "$(ls "$work/backups" | wc -l)" = 4 ] || { echo "a failing night removed backups" >&2; exit 1; }
rm -rf "$work"
echo "backup script ok"
