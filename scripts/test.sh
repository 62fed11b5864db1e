#!/usr/bin/env bash
# Installs what Zembra needs, builds it twice (plain, then with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs the whole test suite on each build,
# builds and checks the Debian package, then runs every fuzz target for a short
# fixed time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# In CI a compiler warning fails the build (GCC and clang alike).
werror=OFF
[ "${CI:-}" = true ] && werror=ON

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBRA_TESTS=ON -DZEMBRA_WERROR=$werror
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEMBRA_TESTS=ON -DZEMBRA_SANITIZE=ON -DZEMBRA_WERROR=$werror
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

# The Debian package, checked by desktop-file-validate, appstreamcli and lintian.
scripts/package.sh

# Fuzzing: each fuzz/fuzz_*.cpp target for a fixed time over its seeds
# (fuzz/corpus/<target>/, tests/data/regress/<target>/ and the sample files
# below). A crash, an input slower than the timeout or memory above the bound
# fails the run; the input is kept in build-fuzz/artifacts/ (copy it to
# tests/data/regress/<target>/ once mended).
fuzz_seconds=${ZEMBRA_FUZZ_SECONDS:-45}
declare -A sample_seeds=([fuzz_gif_reader]=tests/data/corpus/gif [fuzz_wav_reader]=tests/data/corpus/wav)
fuzz_targets=()
for source in fuzz/fuzz_*.cpp; do fuzz_targets+=("$(basename "$source" .cpp)"); done
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZEMBRA_FUZZ=ON -DZEMBRA_TESTS=OFF -DZEMBRA_WERROR=$werror
cmake --build build-fuzz -j "$jobs" --target "${fuzz_targets[@]}"
mkdir -p build-fuzz/artifacts
for target in "${fuzz_targets[@]}"; do
  seeds=()
  for dir in "fuzz/corpus/$target" "tests/data/regress/$target" "${sample_seeds[$target]:-}"; do
    [ -n "$dir" ] && [ -d "$dir" ] && seeds+=("$dir")
  done
  rm -rf "build-fuzz/corpus/$target" && mkdir -p "build-fuzz/corpus/$target"
  echo "fuzzing $target for ${fuzz_seconds} s"
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "build-fuzz/fuzz/$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=1536 \
    -malloc_limit_mb=1024 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
    "build-fuzz/corpus/$target" "${seeds[@]}"
done
