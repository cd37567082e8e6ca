#!/usr/bin/env bash
# The built engine against what a careless user or a hostile machine does to it:
# numbers past the limits, exponents that used to run away, full disks, closed
# descriptors, signals, files that are folders and folders that cannot be written.
# Every run must end through the end prompt without a wrong or silently lost result.
set -u
engine=$1
fail=0
bad() { echo "FAIL: $*"; fail=1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# new <polynomial>: a fresh working folder holding DXS.DAT, in $dir.
new() { dir=$(mktemp -d -p "$scratch"); printf '"%s"\r\n' "$1" > "$dir/DXS.DAT"; }
# run [keys] [timeout]: the engine in $dir with the keys piped; the screen goes
# to $dir.screen, outside the folder, so that it never counts as a file written.
run() {
    (cd "$dir" && printf '%s' "${1:-n}" | timeout "${2:-60}" "$engine" > "$dir.screen" 2> "$dir.err")
    rc=$?
}
screen_has() { grep -qF -- "$1" "$dir.screen"; }
ended() { [ $rc -eq 0 ] && screen_has "Press any key after reading" && [ ! -s "$dir.err" ]; }
jg_lines() { tr -d '\r' < "$dir/jg.dat"; }

echo "== wrong results"
for p in "99999999x^2-99999998x^2+x-1" "99999999x-99999998x" "1/16777217x+1" "5000000x+5000000x"; do
    new "$p"; run
    { ended && screen_has "The data is too big!"; } || bad "$p is past the limit and must say so"
    grep -q "=" "$dir/jg.dat" 2>/dev/null && bad "$p: the transcript claims a result"
    [ -e "$dir/jg.dat" ] && bad "$p is refused but left a transcript"
done
# A number alone keeps its value after the "=".
for p in "-1" "1" "7" "-3/4"; do
    new "$p"; run
    ended || bad "$p did not end cleanly"
    jg_lines | tr -d ' ' | grep -qx -- "$p=$p" || bad "$p: the transcript lacks its value: $(jg_lines)"
done

echo "== malformed text"
# A sign with nothing after it, a byte that is no letter, a second "^" or "/":
# each was read as a polynomial nobody typed. Refused, and nothing written.
for p in "x^2-" "x^2-1-" "x^2--1" "x---1" "--x" "1-" "-" "x^2++1" "x^2+-1" "a^2-b^2-" \
         "x^2-5x+6=" "x^2^3-1" "[x-]" "x_1-1" "x~2-1" 'x`-1' "x{2}-1" "x|y" $'x^2\x7f-1' "1/2/3x+1"; do
    new "$p"; run
    { ended && screen_has "输入错误！"; } || bad "$p is no polynomial and must say so"
    [ "$(ls -A "$dir")" = "DXS.DAT" ] || bad "$p is refused but wrote $(ls -A "$dir" | tr '\n' ' ')"
done
# A leading sign stays allowed.
for p in "-x^2+1" "+x^2-1"; do
    new "$p"; run
    { ended && jg_lines | head -1 | grep -q "x^ 2"; } || bad "$p must be read: $(jg_lines | head -1)"
done

echo "== runaway"
for n in 1 2 6 64 3100 3200 4000 65536 999998 1000000 4999999 9999999; do
    forms=("x^$n-y^$n" "x^$n-1" "x^$n+y^$n" "x^${n}y^$n-1")
    [ $((2 * n)) -le 9999999 ] && forms+=("x^$((2 * n))+2x^${n}y^$n+y^$((2 * n))")
    for p in "${forms[@]}"; do
        new "$p"; run "tttttttttttttttttttt" 60
        files=$(find "$dir" -type f | wc -l)
        bytes=$(du -sb "$dir" | cut -f1)
        ended || bad "$p did not end through the end prompt (rc $rc)"
        # x^999998-1 writes its cofactor of 499998 terms once: large, but bounded.
        [ "$files" -le 24 ] && [ "$bytes" -le 32000000 ] || bad "$p wrote $files files, $bytes bytes"
        rm -rf "$dir" "$dir.screen" "$dir.err"
    done
done

echo "== data lost"
# Searched for minutes by the plain walk (exact factoring would end it at once).
slow="392/3p^2q^2+448pqr^2+512/3r^4"
set -m  # background jobs keep SIGINT and SIGQUIT, as an engine in a terminal does
for sig in TERM HUP QUIT INT; do
    new "$slow"
    (cd "$dir" && YINSHI_PLAIN_WALK=1 exec "$engine" < <(sleep 30) > "$dir.screen" 2>&1) &
    pid=$!
    for _ in $(seq 100); do [ "$(jg_lines 2>/dev/null | wc -l)" -ge 2 ] && break; sleep 0.05; done
    sleep 0.3
    kill -s "$sig" "$pid"; wait "$pid" 2>/dev/null
    [ "$(jg_lines | sed -n 2p | cut -c1-4)" = "= 8/" ] || bad "SIG$sig lost the transcript: '$(jg_lines)'"
done
set +m
reference=$(mktemp -d -p "$scratch")
printf '"x^3+9x^2+26x+24"\r\n' > "$reference/DXS.DAT"
(cd "$reference" && printf n | "$engine" > /dev/null 2>&1)
for closed in "0<&-" ">&-" "2>&-" ">&- 2>&-"; do
    new "x^3+9x^2+26x+24"
    (cd "$dir" && eval "printf n | \"$engine\" $closed" > /dev/null 2>&1)
    for f in jg.dat dj.dat; do
        cmp -s "$reference/$f" "$dir/$f" || bad "with $closed, $f differs from a normal run's"
    done
done
new ".5x+1"; run
{ ended && screen_has "输入错误！"; } || bad ".5x+1 is no polynomial"
[ -e "$dir/jg.dat" ] && bad ".5x+1 left a transcript"
# A file that takes no byte: the run names it and claims nothing.
for case in "jg.dat|x^3+9x^2+26x+24" "dj.dat|x^3+9x^2+26x+24" "DXS1.DAT|x^2+3x+2" \
            "pl1|x^2-xy-2y^2+x+y" "gsys 1|x^2-y^2"; do
    f=${case%%|*} p=${case#*|}
    new "$p"; ln -s /dev/full "$dir/$f"; run
    { ended && screen_has "$f could not be written"; } || bad "a full $f is not reported"
    screen_has "=0" && bad "a full $f reads as =0"
done
# A small file system that is full, or nearly: a run either writes every file
# whole or says which one it could not write.
if unshare -m true 2>/dev/null; then
    new "x^3+9x^2+26x+24"
    for free in 0 4 8 12 16 24; do
        out=$(unshare -m bash -c '
            mount -t tmpfs -o size=64k tmpfs "$1" && cd "$1" && printf "\"x^3+9x^2+26x+24\"\r\n" > DXS.DAT &&
            { dd if=/dev/zero of=filler bs=1k count=$((64 - $3)) 2>/dev/null; true; } &&
            printf n | "$2" 2>&1; echo "rc=$?"
            for f in jg.dat dj.dat; do cmp -s "$f" "$4/$f" && echo "same $f"; done' _ "$dir" "$engine" "$free" "$reference")
        case "$out" in *"rc=0"*) ;; *) bad "with $free KiB free the engine failed: $out"; continue ;; esac
        if [[ "$out" != *"could not be written"* ]]; then
            [[ "$out" == *"same jg.dat"* && "$out" == *"same dj.dat"* ]] ||
                bad "with $free KiB free a file was lost without a word"
        fi
        [[ "$out" == *$'\n=0'* ]] && bad "with $free KiB free the result read =0"
    done
else
    echo "no mount namespace here: the full tmpfs runs are skipped (the /dev/full runs stand in)"
fi

echo "== work files"
# Only regular files in the folder are the engine's: whatever else stands under
# a work file's name is refused with its message pair, and the run ends at once.
# refused <file> <polynomial> <what stands there>: the run says so and claims no result.
refused() {
    local f=$1 p=$2
    new "$p"; rm -f "$dir/$f"; eval "$3"; run n 10
    { ended && screen_has "$f could not be"; } || bad "$f ($3) is not refused (rc $rc)"
    screen_has "=0" && bad "$f ($3) reads as =0"
}
for case in "DXS.DAT|x^2+2xy+y^2-1" "DXS1.DAT|x^2+2xy+y^2-1" "jg.dat|x^2+2xy+y^2-1" "dj.dat|x^2+2xy+y^2-1" \
            "pl1|x^2+2xy+y^2-1" "pl2|x^2+2xy+y^2-1" "gsys 1|x^2-y^2"; do
    f=${case%%|*} p=${case#*|}
    refused "$f" "$p" 'mkfifo "$dir/$f"'  # the timeout turns a hang into a failure
    [ "$f" = pl2 ] || [ "$f" = jg.dat ] || [ "$f" = dj.dat ] || refused "$f" "$p" 'ln -s /dev/zero "$dir/$f"'
done
# The further solutions still end with the certificate when dj.dat is refused.
new "x^3+9x^2+26x+24"; mkfifo "$dir/dj.dat"; run yn 10
screen_has "Every factor is irreducible over the integers." || bad "a refused dj.dat loses the certificate"
# The item file read back must hold what was written.
refused DXS1.DAT "x^2+2xy+y^2-1" 'ln -s /dev/null "$dir/DXS1.DAT"'
# Links to files elsewhere are not written through, nor is a file made where a dangling one points.
outside=$(mktemp -p "$scratch"); echo keep > "$outside"
for case in "jg.dat|x^2+2xy+y^2-1" "dj.dat|x^2+2xy+y^2-1" "pl1|x^2+2xy+y^2-1" "pl2|x^2+2xy+y^2-1" \
            "DXS1.DAT|x^2+2xy+y^2-1" "gsys 1|x^2-y^2"; do
    f=${case%%|*} p=${case#*|}
    refused "$f" "$p" 'ln -s "$outside" "$dir/$f"'
    echo keep | cmp -s - "$outside" || { bad "$f wrote through its link"; echo keep > "$outside"; }
done
refused jg.dat "x^2-1" 'ln -s "$scratch/nowhere" "$dir/jg.dat"'
[ -e "$scratch/nowhere" ] && bad "a dangling jg.dat link made the file it names"
refused jg.dat "x^2-1" 'ln -s DXS.DAT "$dir/jg.dat"'
[ "$(tr -d '\r' < "$dir/DXS.DAT")" = '"x^2-1"' ] || bad "jg.dat -> DXS.DAT replaced the input"
# A factor too long to regroup ends the further solutions, not the certificate.
new "b29-1"; run yn
{ ended && screen_has "A factor is too long for further solutions" && screen_has "irreducible over the integers"; } ||
    bad "b29-1's further solutions do not say the factor is too long, or lose the certificate"
screen_has "too many terms (at most 20)" && bad "b29-1's further solutions blame the polynomial's terms"
# A monomial ends with a certificate line like every other run.
new "8g3"; run
{ ended && screen_has "Every factor is irreducible over the integers."; } || bad "8g3 ends without a certificate"

echo "== unclear ends"
new "x^2+3x+2"; rm "$dir/DXS.DAT"; mkdir "$dir/DXS.DAT"; run
{ ended && screen_has "DXS.DAT could not be read"; } || bad "a folder named DXS.DAT is not reported"
new "x^2+3x+2"; mkdir "$dir/DXS1.DAT"; run
{ ended && screen_has "DXS1.DAT could not be written"; } || bad "a folder named DXS1.DAT is not reported"
new "x^2-xy-2y^2+x+y"; mkdir "$dir/pl1" "$dir/pl2"; run
{ ended && screen_has "pl1 could not be written"; } || bad "a folder named pl1 is not reported"
new "x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x"; run
{ ended && screen_has "The polynomial has too many terms (at most 20)."; } || bad "21 terms end without a word"
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
else
    as_user() { "$@"; }
fi
chmod 755 "$scratch"
new "x^2+3x+2"; chmod 555 "$dir"
(cd "$dir" && printf n | as_user "$engine" > "$dir.screen" 2> "$dir.err"); rc=$?
{ ended && screen_has "DXS1.DAT could not be written"; } || bad "a read-only folder is not reported"
new "x^2+3x+2"; chmod 777 "$dir"; chmod 000 "$dir/DXS.DAT"
(cd "$dir" && printf n | as_user "$engine" > "$dir.screen" 2> "$dir.err"); rc=$?
{ ended && screen_has "DXS.DAT could not be read"; } || bad "an unreadable DXS.DAT is not reported"

[ $fail -eq 0 ] && echo "engine faults: all passed"
exit $fail
