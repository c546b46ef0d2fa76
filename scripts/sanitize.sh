#!/usr/bin/env bash
# Builds the test programs with a sanitizer, each kind in a tree of its own, and runs only the
# tests labelled "sanitize": every test suite named "...Stress" (port threads, sockets, serial
# lines and loader threads under load, teardown and restart) and, under AddressSanitizer, every
# suite named "...BadInput" (the damaged-file fixtures of the readers).
#
#   scripts/sanitize.sh                 AddressSanitizer (with UndefinedBehaviorSanitizer), then ThreadSanitizer
#   scripts/sanitize.sh thread          one kind only
#   scripts/sanitize.sh ci              the stage CI runs, -O1 and no debug information, over the
#                                       lower libraries only (platform, foundation, geodesy,
#                                       features, the acoustic engine) and the tide data set,
#                                       which needs no more than they: AddressSanitizer with
#                                       UBSan (ci-address), then ThreadSanitizer (ci-thread)
#
# Trees: build-sanitize-<kind> ($SANITIZE_BUILD_PREFIX-<kind>). Only the test programs that hold such suites are built, each
# of only the test files that hold one, with the libraries they need; $SANITIZE_JOBS compile
# jobs at a time (every processor when unset).
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export CCACHE_NOHASHDIR=1
export QT_QPA_PLATFORM=offscreen

kinds=("$@")
if [ ${#kinds[@]} -eq 0 ]; then
  kinds=(address thread)
elif [ "${kinds[*]}" = ci ]; then
  kinds=(ci-address ci-thread)
fi
# The test programs that hold "...Stress" suites, and those that hold "...BadInput" suites.
stress_targets=(platform_tests geodesy_tests features_tests featureui_tests geodetic_app_tests chart_tests survey_tests)
bad_input_targets=(platform_tests foundation_tests features_tests acoustic_engine_tests chart_tests zuduzuro_tests marevo_tests rov_tests)
# CI's stage leaves out the programs that need the user-interface libraries above these.
ci_address_targets=(platform_tests foundation_tests geodesy_tests features_tests acoustic_engine_tests marevo_tests)
ci_thread_targets=(platform_tests geodesy_tests features_tests)

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:history_size=7:suppressions=$PWD/scripts/tsan.supp"

for kind in "${kinds[@]}"; do
  dir="${SANITIZE_BUILD_PREFIX:-build-sanitize}-$kind"
  build=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  sanitizer="${kind#ci-}"
  targets=("${stress_targets[@]}")
  case "$kind" in
    address)
      targets=($(printf '%s\n' "${stress_targets[@]}" "${bad_input_targets[@]}" | sort -u)) ;;
    ci-address)
      targets=("${ci_address_targets[@]}") ;;
    ci-thread)
      targets=("${ci_thread_targets[@]}") ;;
  esac
  if [ "$kind" != "$sanitizer" ]; then
    # The sanitizers find the same faults at -O1; without debug information the reports still
    # name every function and the build costs far less.
    build=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -g0" "-DCMAKE_C_FLAGS_RELEASE=-O1 -g0")
  fi
  cmake -S . -B "$dir" -G Ninja "${build[@]}" -DSUITE_SANITIZE="$sanitizer" >/dev/null
  # A test program none of whose files holds such a suite is not made in a sanitizer tree.
  made=()
  for target in "${targets[@]}"; do
    if ninja -C "$dir" -t query "$target" >/dev/null 2>&1; then
      made+=("$target")
    fi
  done
  targets=("${made[@]}")
  echo "== $kind sanitizer: $dir (${targets[*]})"
  cmake --build "$dir" -j "${SANITIZE_JOBS:-$(nproc)}" --target "${targets[@]}"
  # One at a time: these tests hold sources to a steady rate, and a sanitizer already slows
  # every thread several times over.
  ctest --test-dir "$dir" -L sanitize --output-on-failure -j 1
done
