#!/usr/bin/env bash
# kdk score against its floor, the generated C program: a 10-input network's C code
# (kdk convert --to c) compiled with gcc -O2 under a plain loop that reads the same
# million-row CSV with fgets and strtod, calls calcNet and prints the prediction.
# Prints rows/s of both, their ratio, and the peak memory of kdk score.
# usage: bash bench/score_vs_generated_c.sh [BUILD_DIR] [ROWS]
set -euo pipefail
build=${1:-build-bench}
rows=${2:-1000000}
kdk="$build/bin/kdk"
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" "$rows" "$here/examples" <<'PY'
import random, sys
sys.path.insert(0, sys.argv[3])
from make_examples import write_kwf, weights
work, rows = sys.argv[1], int(sys.argv[2])
rng = random.Random(7)
n, hidden = 10, ["NONLINEAR"] * 7 + ["LINEAR"]
net = {"title": "bench", "header": '"bench.csv","all",#FALSE#', "cx": -1,
       "inputs": [(f"x{i}", 100.0, 0.0, 1.0, -1.0) for i in range(1, n + 1)],
       "output": ("y", 1000.0, -1000.0, 0.9, -0.9), "hidden": hidden}
net["wih"] = weights(rng, n + 1, len(hidden) + 1)
net["who"] = [round(rng.uniform(-0.6, 0.6), 4) for _ in range(len(hidden) + 1)]
write_kwf(f"{work}/net.kwf", net)
with open(f"{work}/data.csv", "w", newline="") as out:
    out.write(",".join(f"x{i}" for i in range(1, n + 1)) + "\r\n")
    for _ in range(rows):
        out.write(",".join(str(rng.randrange(10000) / 100) for _ in range(n)) + "\r\n")
PY

"$kdk" convert "$work/net.kwf" --to c -o "$work/net.c" >/dev/null 2>&1
{
  echo '#include <stdio.h>'
  echo '#include <stdlib.h>'
  for i in $(seq 1 10); do echo "extern double x$i;"; done
  echo 'extern double Kestrium_y;'
  echo 'void calcNet(void);'
  echo 'int main(void) {'
  echo '  static char line[4096]; char* p;'
  echo '  if (!fgets(line, sizeof line, stdin)) return 1;'
  echo '  while (fgets(line, sizeof line, stdin)) {'
  echo '    p = line;'
  for i in $(seq 1 10); do echo "    x$i = strtod(p, &p); ++p;"; done
  echo '    calcNet();'
  echo '    printf("%s%.15G\n", line, Kestrium_y);'
  echo '  }'
  echo '  return 0;'
  echo '}'
} > "$work/loop.c"
gcc -O2 -w -Dmain=generated_main -c "$work/net.c" -o "$work/net.o"
gcc -O2 -w "$work/loop.c" "$work/net.o" -lm -o "$work/floor"

seconds() { /usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -1; }
read -r floor_s _ < <(seconds "$work/floor" < "$work/data.csv")
read -r kdk_s kdk_kb < <(seconds "$kdk" score "$work/net.kwf" "$work/data.csv" -o - --quiet)
python3 - "$rows" "$floor_s" "$kdk_s" "$kdk_kb" <<'PY'
import sys
rows, floor_s, kdk_s, kb = int(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4])
print(f"generated C (plain loop): {rows / max(floor_s, 1e-9):,.0f} rows/s ({floor_s:.2f} s)")
print(f"kdk score:                {rows / max(kdk_s, 1e-9):,.0f} rows/s ({kdk_s:.2f} s), peak {kb / 1024:.1f} MB")
print(f"ratio kdk score / generated C time: {kdk_s / max(floor_s, 1e-9):.2f}")
PY
