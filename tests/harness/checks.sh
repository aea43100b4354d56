# Shared by the harness's shell tests (sourced): process and file waits, failures counted.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# True while process $1 runs (a zombie has ended).
alive() {
  local stat
  read -r stat 2>/dev/null < "/proc/$1/stat" || return 1
  stat="${stat##*) }"
  [ "${stat%% *}" != Z ]
}
# Waits until the file $1 exists, at most $2 seconds.
await() {
  local i
  for ((i = 0; i < $2 * 20; i++)); do [ -e "$1" ] && return 0; sleep 0.05; done
  return 1
}
# Stand-ins for cmake and dpkg-query in the folder $1, so that scripts/test.sh builds and
# installs nothing.
fake_build_tools() {
  printf '#!/bin/sh\nexit 0\n' > "$1/cmake"
  printf '#!/bin/sh\nprintf "install ok installed"\n' > "$1/dpkg-query"
  chmod +x "$1/cmake" "$1/dpkg-query"
}
