#!/usr/bin/env bash
# Compares the readers of an earlier revision with those of the work tree on the sample
# files: every file the earlier readers read must give the same five values now, except
# where a listed rule of the new readers says otherwise. The samples are not part of the
# repository, so this runs by hand:
#   tools/compare-readers.sh [BASE_REVISION] [SAMPLES_DIR]
# BASE_REVISION defaults to where this branch left main; SAMPLES_DIR to ../shared/samples.
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

base=${1:-$(git merge-base HEAD main 2>/dev/null || echo HEAD)}
samples=${2:-$root/../shared/samples}
if [ ! -f "$samples/oracle.tsv" ]; then
  echo "no oracle.tsv in $samples" >&2
  exit 2
fi
samples=$(cd "$samples" && pwd)
ensure_packages cmake g++ make python3 tzdata >/dev/null || true
export TZ=${TZ:-America/New_York}

work=$(mktemp -d "${TMPDIR:-/tmp}/stampel-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "== building the readers of $(git rev-parse --short "$base") and of the work tree"
git archive "$base" | tar -x -C "$work" && mkdir -p "$work/build" || exit 1
for tree in old new; do
  if [ $tree = old ]; then src=$work build=$work/build; else src=$root build=$root/build/native; fi
  if ! { cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$build" -j2 --target reader_probe >/dev/null; }; then
    echo "the $tree build failed" >&2
    exit 1
  fi
  (cd "$samples" && tail -n +2 oracle.tsv | cut -f1 | tr '\n' '\0' |
    xargs -0 "$build/tests/bench/reader_probe") >"$work/$tree.tsv"
done
python3 - "$work/old.tsv" "$work/new.tsv" <<'PYTHON'
import sys

def load(path):
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        return {line.split("\t")[0]: line.rstrip("\n").split("\t")[1:] for line in f}

old, new = load(sys.argv[1]), load(sys.argv[2])
FIELDS = ["DateTime", "DateTimeOriginal", "Model", "Width", "Height", "portrait"]
read = same = allowed = changed = gained = 0
for name, before in old.items():
    after = new.get(name, ["missing"])
    if not before[0].startswith("fk"):
        if after[0].startswith("fk"):
            gained += 1
        continue
    read += 1
    if before[1:] == after[1:]:
        same += 1
        continue
    # A file now read by one of the new container readers may gain values the old reader
    # did not find (a HEIF image's size from its primary image, a CR3's CMT2 block), but
    # no value the old reader found may change.
    filled = all(b in ("-", "", "0") for f, b, a in zip(FIELDS[:5], before[1:6], after[1:6]) if b != a)
    if after[0] in ("fkHEIF", "fkCR3") and filled:
        allowed += 1
        reason = "values the old readers did not find are filled in; none changed"
    else:
        changed += 1
        reason = "CHANGED"
    print(f"{name}: {before[0]} -> {after[0]}: {reason}")
    for f, b, a in zip(FIELDS, before[1:], after[1:]):
        if b != a:
            print(f"    {f}: {b!r} -> {a!r}")
print(f"{read} files the old readers read: {same} give the same values, {allowed} gain values "
      f"they lacked, {changed} changed otherwise; {gained} files are read now that "
      f"were refused before")
sys.exit(1 if changed else 0)
PYTHON
