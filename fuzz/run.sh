#!/bin/sh
# Builds the RTF reader fuzz target with clang and runs it for a bounded time.
# Usage: fuzz/run.sh [seconds]   (default 600). Findings land in fuzz/findings/.
set -eu
seconds=${1:-600}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${TOURBUCH_FUZZ_BUILD:-$root/build-fuzz}
cmake -S "$root" -B "$build" -DTOURBUCH_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 --target rtf_reader_fuzzer
work="$build/fuzz-corpus"
mkdir -p "$work" "$here/findings"
cp -n "$here"/corpus/* "$work"/ 2>/dev/null || true
cd "$here/findings"
exec "$build/fuzz/rtf_reader_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=65536 -print_final_stats=1 "$work" "$here/corpus"
