#!/usr/bin/env bash
# The built engine in a fresh folder with its keys piped in: every run ends
# through the end prompt, and the product it writes multiplies back to the input.
set -u
# The engine as the window program starts it, in a terminal window of its own.
export YINSHI_OWN_WINDOW=1
engine=$1
check=$2
fail=0

# run <polynomial> <keys>
run() {
    local dir
    dir=$(mktemp -d)
    printf '"%s"\r\n' "$1" > "$dir/DXS.DAT"
    (cd "$dir" && printf '%s' "$2" | timeout 60 "$engine" > screen.txt 2>&1)
    local rc=$?
    if [ $rc -ne 0 ] || ! grep -q "Use the mouse to  close  the  window" "$dir/screen.txt"; then
        echo "FAIL: $1 did not end through the end prompt (rc $rc)"
        fail=1
    fi
    RUN_DIR=$dir
}

# Factorisations that must come out complete and multiply back.
for p in "x^3+9x^2+26x+24" "x^2+3x+2" "6x^2+5x+1" "x^4-1" "x^6-1" "x^3+8" "x^3-8" "-x^3-8" "4x^2-9" \
         "x^2-6x+9" "x^2+1+2x" "x^2-4" "2x^2-8" "x^3-3x-2" "12x^4-2x^3-40x^2+6x+24" \
         "a3+a2c+b2c-abc+b3" "x^2+3xy+2y^2" "x^2-xy-2y^2+x+y" "ab+ac+bd+cd" "a^2b^2+2abc+c^2" \
         "4a^2-9b^2" "x^3y^3+8" "X^2-Y^2"; do
    run "$p" "n"
    if ! "$check" transcript "$RUN_DIR" "$p"; then
        echo "FAIL: $p"
        cat "$RUN_DIR/jg.dat"
        fail=1
    fi
    rm -rf "$RUN_DIR"
done

# Further solutions: "y" until the factors run out, then "n".
for p in "x^3+9x^2+26x+24" "x^2-xy-2y^2+x+y"; do
    run "$p" "yyyyyyyyyyyyn"
    if ! "$check" solutions "$RUN_DIR/screen.txt" "$p"; then
        echo "FAIL: further solutions of $p"
        cat "$RUN_DIR/screen.txt"
        fail=1
    fi
    rm -rf "$RUN_DIR"
done

# Input errors and an empty keyboard still end cleanly.
for p in "x+" "2*x" "" "1.5x"; do
    run "$p" ""
    grep -q "输入错误！" "$RUN_DIR/screen.txt" || { echo "FAIL: no input error for '$p'"; fail=1; }
    rm -rf "$RUN_DIR"
done
dir=$(mktemp -d)
(cd "$dir" && timeout 20 "$engine" < /dev/null > screen.txt 2>&1) || { echo "FAIL: missing DXS.DAT"; fail=1; }
grep -q "输入错误！" "$dir/screen.txt" || { echo "FAIL: missing DXS.DAT not reported"; fail=1; }
rm -rf "$dir"

[ $fail -eq 0 ] && echo "engine piped runs: all passed"
exit $fail
