#!/usr/bin/env bash
# kv-session.sh <path of examples/kv>: one session of kv in an empty folder. Each step runs kv with
# bash words and must give the exit status and standard output named (standard error only where a
# step names it); a step may also name what the store holds afterwards.
set -u
kv=$(realpath "$1")
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" || exit 1
failures=0 steps=0

# step STATUS OUTPUT WORDS...: kv WORDS exits with STATUS and writes exactly OUTPUT (and a line end
# after it unless it is empty).
step() {
    local status=$1 output=$2
    shift 2
    steps=$((steps + 1))
    actual=$("$kv" "$@" 2> err; echo "~$?")
    [[ -n $output ]] && output+=$'\n'
    if [[ $actual != "$output~$status" ]]; then
        failures=$((failures + 1))
        printf 'kv %s: status and output [%s], expected [%s]\n' "$*" "$actual" "$output~$status"
        cat err
    fi
}
# said TEXT: the last step wrote exactly TEXT (and a line end) to standard error.
said() {
    if [[ $(cat err) != "$1" ]]; then
        failures=$((failures + 1))
        printf 'standard error [%s], expected [%s]\n' "$(cat err)" "$1"
    fi
}
# holds FILE TEXT: the file holds exactly TEXT.
holds() {
    if [[ $(cat "$1") != "$2" ]]; then
        failures=$((failures + 1))
        printf '%s holds [%s], expected [%s]\n' "$1" "$(cat "$1")" "$2"
    fi
}

step 0 "" list
step 0 "" put b 2
step 0 "" put a 'one two'
step 0 "" put b 3
step 0 "" put 'é' x
step 0 "" put B y
holds kv.store $'B\ty\na\tone two\nb\t3\n\xc3\xa9\tx'
step 0 "one two" get a
step 1 "" get c
said "kv: no key 'c'"
step 0 $'a\tone two' list --prefix a
step 0 $'B\ty\na\tone two\nb\t3\n\xc3\xa9\tx' list
step 1 "" remove a c b
said "kv: no key 'c'"
holds kv.store $'B\ty\n\xc3\xa9\tx'
# The store named by --store (before or after the command), else by KV_STORE.
step 0 "" --store other.store put k v
step 0 $'k\tv' list --store=other.store
KV_STORE=other.store step 0 "v" get k
holds other.store $'k\tv'
# A store whose mode is 0600 keeps it, and one that is a link stays a link to the store it names.
chmod 600 other.store
ln -s other.store link.store
step 0 "" --store link.store put k w
[[ $(stat -c %a other.store) == 600 && -L link.store ]] || {
    failures=$((failures + 1))
    echo "the store's mode or the link changed: $(stat -c %a other.store), $(ls -l link.store)"
}
holds other.store $'k\tw'
# Problems with the words: status 2, a message, and the closest name where one is close.
step 2 "" lst
said "Unknown command 'lst'.
Did you mean 'list'?
Get help with '$kv --help'"
step 2 "" list --prefx a
said "Unknown keyword 'prefx'.
Did you mean '--prefix'?
Get help with '$kv list --help'"
step 2 ""
said "A command is required: 'put', 'get', 'list' or 'remove'.
Get help with '$kv --help'"
step 2 "" put k
step 2 "" put $'a\tb' v
said "Invalid value 'a\\x09b' at parameter 'KEY'.
It must hold no tab and no line end.
Get help with '$kv put --help'"
step 2 "" remove
holds kv.store $'B\ty\n\xc3\xa9\tx'
# A store that is no store is not overwritten.
printf 'no tab here\n' > bad.store
step 1 "" --store bad.store put k v
said "kv: bad.store:1: not a line KEY<TAB>VALUE"
holds bad.store "no tab here"

echo "kv session: $((steps - failures)) of $steps steps as expected"
[[ $failures -eq 0 ]]
