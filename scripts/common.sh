# shellcheck shell=bash
# Sourced by the scripts here: they work from the checkout's root, check
# for what they need (scripts/requirements.sh), and share these steps. A
# step that runs tests fails when it finds none to run: a check that can
# pass without checking anything is worse than none.
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit
source scripts/requirements.sh
# shellcheck disable=SC2034  # for the scripts that source this
jobs="${JOBS:-$(nproc)}"

# configure_tests BUILD [CMAKE ARGS...]: a build folder keeps its cache, so
# the tests are switched on every time, whatever configured it before (the
# demo makes build/ without them).
configure_tests() {
  local build="$1"
  shift
  cmake -S . -B "$build" -DSORVIN_TESTS=ON "$@" >/dev/null
}

# run_ctest BUILD [CTEST ARGS...]
run_ctest() {
  local build="$1"
  shift
  ctest --test-dir "$build" --output-on-failure --no-tests=error "$@"
}

# run_gtest [WRAPPER...] PROGRAM: a GoogleTest program run directly (after
# a wrapper such as valgrind, when given) passes with no test in it, so its
# own report is read for how many ran.
run_gtest() {
  local report ran
  report="$(mktemp)"
  if ! "$@" --gtest_brief=1 --gtest_output="json:$report"; then
    rm -f "$report"
    return 1
  fi
  ran="$(grep -m1 -o '"tests": [0-9]*' "$report" | grep -o '[0-9]*$' || echo 0)"
  rm -f "$report"
  if ((ran == 0)); then
    echo "no test ran: $*" >&2
    return 1
  fi
}
