#!/usr/bin/env bash
# Drives corvane-preset the way people sharing presets do: file -> text ->
# file gives the same bytes, and every error is one line and a failure.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
check() {  # description, then the command's success is the check
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}
one_error_line() {  # expected exit status, command...
  local want=$1
  shift
  "$@" >"$dir/out" 2>"$dir/err"
  local status=$?
  [ "$status" -eq "$want" ] && [ "$(wc -l <"$dir/err")" -eq 1 ] && grep -q '^corvane-preset: ' "$dir/err"
}

printf 'points=5\r\nLines=1e3\rTicks=1,5\nMotionBlur=-2.5\r\n' >"$dir/a.cvp"
check "show reads names without case" bash -c "'$tool' show '$dir/a.cvp' | grep -qx 'Points=5'"
check "show prints 69 lines" bash -c "[ \$('$tool' show '$dir/a.cvp' | wc -l) -eq 69 ]"
text=$("$tool" to-text "$dir/a.cvp")
check "to-text gives 69 fields" bash -c "[ \$(tr -cd ';' <<<'$text' | wc -c) -eq 69 ]"
check "from-text writes a file" "$tool" from-text "$text" --out "$dir/b.cvp"
check "file -> text -> file -> text" test "$("$tool" to-text "$dir/b.cvp")" = "$text"
"$tool" from-text "$("$tool" to-text "$dir/b.cvp")" --out "$dir/c.cvp" >/dev/null
check "the written file is stable" cmp -s "$dir/b.cvp" "$dir/c.cvp"
check "from-text prints the cells" bash -c "'$tool' from-text '$text' | grep -qx 'MotionBlur=-2.5'"

check "usage" one_error_line 2 "$tool"
check "unknown command" one_error_line 2 "$tool" frobnicate x
check "missing file" one_error_line 1 "$tool" show "$dir/missing.cvp"
check "directory" one_error_line 1 "$tool" to-text "$dir"
printf 'Points=1e20\r\n' >"$dir/big.cvp"
check "a value past the number format reads as no number" bash -c "'$tool' show '$dir/big.cvp' | grep -qx 'Points=0'"
check "incomplete text" one_error_line 1 "$tool" from-text ";;1;" --out "$dir/d.cvp"
check "incomplete text writes nothing" test ! -e "$dir/d.cvp"
check "unwritable output" one_error_line 1 "$tool" from-text "$text" --out "$dir/no/such.cvp"

printf 'Points=40\r\nLines=500\r\nMidAX=300\r\nColorR1=0.5\r\n' >"$dir/p1.cvp"
printf 'Points=20\r\nLines=900\r\nMidAX=700\r\nColorG2=1\r\nBlending=4\r\n' >"$dir/p2.cvp"
"$tool" breed "$dir/p1.cvp" "$dir/p2.cvp" --seed 7 >"$dir/child.cvp"
check "breed prints 69 lines" test "$(wc -l <"$dir/child.cvp")" -eq 69
check "one seed, one child" bash -c "'$tool' breed '$dir/p1.cvp' '$dir/p2.cvp' --seed 7 | cmp -s - '$dir/child.cvp'"
check "another seed, another child" bash -c "! '$tool' breed '$dir/p1.cvp' '$dir/p2.cvp' --seed 8 | cmp -s - '$dir/child.cvp'"
check "the child reads back as printed" bash -c "'$tool' show '$dir/child.cvp' | cmp -s - '$dir/child.cvp'"
check "a seed that is no number" one_error_line 2 "$tool" breed "$dir/p1.cvp" "$dir/p2.cvp" --seed -1
check "a missing parent" one_error_line 1 "$tool" breed "$dir/p1.cvp" "$dir/missing.cvp" --seed 1

[ "$failures" -eq 0 ] && echo "all checks passed"
[ "$failures" -eq 0 ]
