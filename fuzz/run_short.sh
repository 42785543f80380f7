#!/bin/sh
# Builds the fuzz targets with clang and gives each a short, bounded run from
# its seed inputs. Exits non-zero when a target crashes or the build fails.
#   fuzz/run_short.sh BUILD_DIR
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build_dir=$1
here=$(cd "$(dirname "$0")" && pwd)

cmake -S "$here" -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build_dir" -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() {
  target=$1
  shift
  mkdir "$work/$target"
  # New inputs go to the scratch folder; the seeds stay as they are.
  "$build_dir/$target" -seed=1 -runs=20000 -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build_dir/$target-" "$@" "$work/$target" "$here/corpus/$target"
}
run html_text_parser_fuzz -dict="$here/html_text_parser.dict"
run field_line_fuzz
