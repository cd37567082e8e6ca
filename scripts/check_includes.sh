#!/usr/bin/env bash
# The engine's folders depend one way:
#
#   platform <- state <- {present, search, results} <- mainline <- web
#
# A folder includes only from itself, from folders to its left, and from the
# leaf libraries exact/, compaction/ and transcript_format/; the three middle folders do not
# include each other, so that only the driver in mainline/ decides where a
# run goes next. The leaves include nothing of the rest.
# Reads every engine include of the form "folder/..." (-v lists them all) and
# fails when any goes against the rule, naming the file and the edge.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
ENGINE="$ROOT/engine"

# Known exceptions, one per entry: "folder/file -> folder/header | why".
# Keep this empty unless undoing an edge would take a redesign.
EXCEPTIONS=(
)

verbose=0
[ "${1:-}" = "-v" ] && verbose=1

cd "$ENGINE"
grep -rHn --include='*.cpp' --include='*.hpp' --include='*.h' -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/' . |
  awk -v verbose="$verbose" -v exceptions="$(printf '%s\n' "${EXCEPTIONS[@]+"${EXCEPTIONS[@]}"}")" '
    BEGIN {
      # The rank of each folder; the middle folders share one.
      rank["platform"] = 1; rank["state"] = 2
      rank["present"] = 3; rank["search"] = 3; rank["results"] = 3
      rank["mainline"] = 4
      # The web entry point and seams start the engine as main() does.
      rank["web"] = 5
      leaf["exact"] = 1; leaf["compaction"] = 1; leaf["transcript_format"] = 1
      n = split(exceptions, lines, "\n")
      for (i = 1; i <= n; i++) {
        line = lines[i]
        sub(/[[:space:]]*\|.*$/, "", line)
        if (line != "") allowed[line] = 1
      }
      bad = 0
    }
    {
      # ./folder/file.cpp:12:#include "other/header.hpp"
      colon = index($0, ":")
      file = substr($0, 3, colon - 3)
      rest = substr($0, colon + 1)
      sub(/^[0-9]+:/, "", rest)
      match(rest, /"[^"]+"/)
      header = substr(rest, RSTART + 1, RLENGTH - 2)
      from = file; sub(/\/.*/, "", from)
      to = header; sub(/\/.*/, "", to)
      edge = file " -> " header
      if (verbose) print edge
      if (from == to) next
      if (from in leaf) { why = "the leaf library " from " includes nothing of the rest" }
      else if (to in leaf) next
      else if (!(from in rank)) { why = "folder " from " has no place in the order" }
      else if (!(to in rank)) { why = "folder " to " has no place in the order" }
      else if (rank[to] < rank[from]) next
      else if (rank[to] == rank[from]) { why = from " and " to " are siblings" }
      else { why = to " lies above " from }
      if (edge in allowed) { used[edge] = 1; next }
      printf "engine/%s: includes \"%s\" against the one-way rule (%s)\n", file, header, why
      bad = 1
    }
    END {
      for (e in allowed) if (!(e in used)) {
        printf "known exception no longer needed, remove it: %s\n", e
        bad = 1
      }
      exit bad
    }'
echo "Engine includes follow the one-way rule."
