#!/usr/bin/env bash
# Starts or stops the private Firebird server the tests use: its own root
# folder, its own security database (SYSDBA with the built-in password), on
# the loopback address only.
#   fbserver.sh start|stop DIR PORT
set -eu
cmd=$1 dir=$2 port=$3
lib=$(dirname "$(readlink -f /usr/lib/x86_64-linux-gnu/firebird/3.0/plugins)")
[ -d "$lib" ] || lib=$(ls -d /usr/lib/*/firebird/3.0 | head -n 1)

stop() {
  if [ -f "$dir/server.pid" ]; then
    pid=$(cat "$dir/server.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$dir/server.pid"
  fi
}

case "$cmd" in
stop)
  stop
  ;;
start)
  stop
  rm -rf "$dir"
  mkdir -p "$dir/lock"
  cat > "$dir/firebird.conf" <<CONF
RemoteBindAddress = 127.0.0.1
RemoteServicePort = $port
ServerMode = Super
SecurityDatabase = $dir/security3.fdb
CONF
  echo "security.db = $dir/security3.fdb" > "$dir/databases.conf"
  cp "$lib/plugins.conf" "$lib/firebird.msg" "$dir/"
  ln -s "$lib/plugins" "$dir/plugins"
  # The character sets are copied, not linked: the server loads its intl
  # module through a link but then looks it up by the linked name, finds
  # nothing, and every WIN1254 text (Turkish order and case) fails with
  # "CHARACTER SET WIN1254 is not installed".
  mkdir "$dir/intl"
  cp -L "$lib/intl/fbintl.conf" "$lib/intl/libfbintl.so" "$dir/intl/"
  cp /var/lib/firebird/3.0/system/security3.fdb "$dir/security3.fdb"
  chmod 600 "$dir/security3.fdb"
  FIREBIRD="$dir" FIREBIRD_LOCK="$dir/lock" isql-fb -q -user SYSDBA "$dir/security3.fdb" <<SQL >/dev/null
create or alter user SYSDBA password 'masterkey' using plugin Srp;
commit;
SQL
  FIREBIRD="$dir" FIREBIRD_LOCK="$dir/lock" setsid /usr/sbin/firebird >"$dir/server.log" 2>&1 < /dev/null &
  echo $! > "$dir/server.pid"
  for _ in $(seq 100); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "firebird server on 127.0.0.1:$port"
      exit 0
    fi
    sleep 0.1
  done
  echo "firebird server did not start; log:" >&2
  cat "$dir/server.log" >&2
  exit 1
  ;;
esac
