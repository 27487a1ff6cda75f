#!/usr/bin/env bash
# Completion in a real shell: check.sh <bash|zsh|fish> <path of wordfreq>. The script wordfreq writes
# for the shell is loaded, the shell is asked to complete each partial command line below, and what it
# offers must be exactly what is expected (after --Keyword=, with or without the "--Keyword=" before
# each choice, as the shell has it).
set -u
shell=$1 program=$2 here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" || exit 1
"$program" --Completion "$shell" > script || exit 1
touch alpha.txt beta.par

# The words the shell offers at the end of the line, sorted, one a line.
completions() {
    case $shell in
        bash) bash --norc -c 'source ./script
              COMP_LINE=$1 COMP_POINT=${#1}; read -ra COMP_WORDS <<< "$1"; [[ $1 == *" " ]] && COMP_WORDS+=("")
              COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 )); function=$(complete -p wordfreq); function=${function##*-F }
              ${function%% *} wordfreq "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
              printf "%s\n" "${COMPREPLY[@]}"' _ "$1" ;;
        fish) fish --no-config -c 'source ./script; complete -C $argv[1]' "$1" | cut -f1 ;;
        zsh) zsh -f "$here/capture.zsh" ./script "$1" ;;
    esac | sed -e '/^$/d' -e 's/^--[A-Za-z]*=//' | sort | tr '\n' ' '
}

failures=0
while IFS='|' read -r line expected; do
    actual=$(completions "$line")
    if [[ "$actual" != "$expected" ]]; then
        printf '%s: "%s" offers "%s", expected "%s"\n' "$shell" "$line" "$actual" "$expected"
        failures=$((failures + 1))
    fi
done <<'CASES'
wordfreq --To|--Top 
wordfreq -o |alpha count 
wordfreq --Order=|alpha count 
wordfreq --Completion=z|zsh 
wordfreq -f |alpha.txt beta.par script 
wordfreq --Output |alpha.txt beta.par script 
wordfreq -c a|alpha.txt 
wordfreq -n |
wordfreq --MinLength=|
wordfreq --Fi|
CASES
echo "$shell completion: $((10 - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
