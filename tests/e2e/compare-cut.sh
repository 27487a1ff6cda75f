#!/usr/bin/env bash
# compare-cut.sh <path of examples/cut>: runs the example and the system's cut with each line of
# arguments below (bash words; files in.txt, nul.txt and tail.txt are made first; standard input is
# in.txt) and compares the standard output byte for byte, the exit status, and whether something is
# written to standard error (the texts of the messages are each program's own).
set -u
ours=$(realpath "$1")
theirs=$(command -v cut) || { echo "no system cut: not compared"; exit 0; }
"$theirs" --version 2>/dev/null | grep -q GNU || { echo "the system's cut is not GNU cut: not compared"; exit 0; }
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" || exit 1
printf 'a:b:c\td\nd:e:f\tg\nnodelim\n\none:two\n' > in.txt
printf 'a:b\0c:d\0e' > nul.txt
printf 'x:y:z' > tail.txt

failures=0 cases=0
while IFS= read -r line; do
    [[ -z $line || $line == \#* ]] && continue  # a line of one blank gives no words at all
    eval "args=($line)"
    cases=$((cases + 1))
    "$ours" "${args[@]}" < in.txt > ours.out 2> ours.err; ours_status=$?
    "$theirs" "${args[@]}" < in.txt > theirs.out 2> theirs.err; theirs_status=$?
    [[ -s ours.err ]] && ours_said=message || ours_said=silent
    [[ -s theirs.err ]] && theirs_said=message || theirs_said=silent
    if ! cmp -s ours.out theirs.out || [[ $ours_status != "$theirs_status" || $ours_said != "$theirs_said" ]]; then
        failures=$((failures + 1))
        echo "cut $line: status $ours_status ($ours_said), cut says $theirs_status ($theirs_said)"
        diff <(od -c ours.out) <(od -c theirs.out) | head -5
        head -3 ours.err theirs.err
    fi
done <<'CASES'
# Bytes and characters: single positions, ranges, open ranges, merged and unmerged ranges.
-b 1
-b 2,1
-b 1-2,4
-b -2
-b 3-
-b 1-2,3-4 --output-delimiter=X
-b 1-3,2-5 --output-delimiter=X
-b 1,2 --output-delimiter=
-c 1-3
-c 2 --complement
-b 2-4 --complement --output-delimiter=X
-b 1 -n
-b '1 3'
-b 01
# Fields: the delimiter, lines without one, -s, complement, output delimiter, -z.
-f 1
-f 2
-f 1 -d :
-f 2 -d:
-d : -f 2,3 --complement
-f 1,3 -d : --output-delimiter=XX
-f 1,2 -d : --output-delimiter=
-f 2 -d : -s
-f 1- -d :
-f 4- -d :
-f 1-2,2-3 -d :
-f '1	3' -d :
--fields=2 --delimiter=:
--fields 2 --delimiter :
-d '' -f 1
-z -f 2 -d : nul.txt
-f 2 -d : tail.txt
-f 2 -d : in.txt - tail.txt
-f1 -d: in.txt in.txt
# Problems: no list, two lists, a list given twice, a delimiter or -s without fields, a delimiter of two
# characters, position 0, a decreasing range, not a list, a missing file, an unknown option, a missing value.
 
--

-d :
-b 1 -c 1
-f 1 -f 2
-d : -b 1
-s -c 1
-f 1 -d ::
-f 0
-b 0
-f 3-1
-f x
-f 1,,3
-f ,1
-f -
-f 1-2-3
-f +1
-f 99999999999999999999
-b ''
-f1 -d: nofile in.txt
-q -f 1
--foo -f 1
-f
--fields
-f 1 -d
-b 1 --complement --bytes
# Long options abbreviated to a beginning no other has; an ambiguous one, and one that begins none.
-c 2 --compl
--f=1 --d=: --out=+
--fie 2 --del :
-f 1 -d : --o=X
-f 1 --only
--fiel=2 --delim=: --s
--c=1-2
-f 1 --de=: --x
CASES
echo "cut compared with $theirs: $((cases - failures)) of $cases alike"
[[ $failures -eq 0 ]]
