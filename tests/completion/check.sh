#!/usr/bin/env bash
# Completion in a real shell: check.sh <bash|zsh|fish> <path of wordfreq> <path of completion_host>
# <path of kv>. The scripts of wordfreq, kv and the host's hostile and commands sets must parse; then one session of
# the shell loads them all and completes each line below at its end. What it offers must be exactly
# the words expected (after --Keyword=, with or without the "--Keyword=" before each, as the shell
# has it; bash's "--" aside among the options it begins), and no command hidden in a text may have run: no file
# "pwned" may appear.
set -u
shell=$1 wordfreq=$2 host=$3 kv=$4 here=$(cd "$(dirname "$0")" && pwd)
temp=$(mktemp -d) && trap 'rm -rf "$temp"' EXIT && mkdir "$temp/work" && cd "$temp/work" || exit 1
"$wordfreq" --Completion "$shell" > ../wordfreq || exit 1
# A program's name that would run a command if the script let the shell read it as code (fish cannot
# complete a name holding "$", nor zsh one holding a blank).
case $shell in
    fish) program='p;touch pwned;(touch pwned);>pwned' ;;
    *) program='p;touch${IFS}pwned;$(touch${IFS}pwned)' ;;
esac
"$host" hostile "$shell" "$program" > ../hostile || exit 1
"$host" commands "$shell" > ../commands || exit 1
"$kv" --completion "$shell" > ../kv || exit 1
scripts=(../wordfreq ../hostile ../commands ../kv)
touch alpha.txt beta.par
failures=0
for script in "${scripts[@]}"; do
    case $shell in
        bash) bash -n "$script" ;;
        zsh) zsh -n "$script" ;;
        fish) fish --no-execute "$script" ;;
    esac || { echo "$shell: $script does not parse"; failures=$((failures + 1)); }
done

lines=() expected=()
# offers LINE WORD...: completing LINE offers exactly the WORDs.
offers() {
    lines+=("$1")
    shift
    expected+=("$(printf '%s\n' "$@" | sort)")
}
offers 'wordfreq --To' --Top
offers 'wordfreq -o ' alpha count
offers 'wordfreq --Order=' alpha count
offers 'wordfreq --Completion=z' zsh
offers 'wordfreq -f ' alpha.txt beta.par
offers 'wordfreq --Output ' alpha.txt beta.par
offers 'wordfreq -c a' alpha.txt
offers 'wordfreq -n '
offers 'wordfreq --MinLength='
offers 'wordfreq --Fi'
# Switches grouped before a letter that takes a value, the value apart or attached.
offers 'wordfreq -co ' alpha count
offers 'wordfreq -coa' -coalpha

# Texts that a shell would run, expand or split are offered as they are.
hostile="'$program'"
offers "$hostile -o " '$(touch pwned)' '`touch pwned`' '*' '$HOME' 'a b' "it's" ';' ')' '|' '\' '"'
offers "$hostile -o a" 'a b'
offers "$hostile -o \\\$" '$(touch pwned)' '$HOME'
offers "$hostile --Order=i" "it's"
offers "$hostile --k" '--k$(touch${IFS}pwned)' '--k`touch${IFS}pwned`' '--k*' '--k$HOME' "--k'q" '--k;s' \
    '--k)p' '--k|b' '--k\b' '--k"d'
offers "$hostile --k\\\$\\(touch\\\${IFS}pwned\\) " 'a b' "it's"
offers "$hostile --k\\'q " 'a b' "it's"
offers "$hostile --k\\;s " 'a b' "it's"
offers "$hostile --k\\)p " 'a b' "it's"
offers "$hostile --k\\|b " 'a b' "it's"
offers "$hostile -s\\; " 'a b' "it's"

# Commands two deep: options of the program before its command, each command's own after it.
offers 'tool ' build remote
offers 'tool -' -C -o -v --Dir --Order --Verbose
offers 'tool remote -' -n -q --Name --Quiet
offers 'tool -o ' x y
offers 'tool -o remote ' build remote
offers 'tool -v remote ' add remove
offers 'tool -C . remote add -fm ' fast slow
offers 'tool remote add --Level=' 1 2
offers 'tool remote add --Level ' alpha.txt beta.par
offers 'tool remote remove '
offers 'tool build ' alpha.txt beta.par
offers 'tool build -' -j --Jobs
# A program of the new interface with commands: its commands, then theirs and the shared options.
offers 'kv ' get list put remove
offers 'kv --st' --store
offers 'kv --store x l' list
offers 'kv list --' --prefix --help --store --version --completion --manual
offers 'kv remove --completion ' bash fish zsh
offers 'kv --manual=m' man markdown
offers 'kv get --store ' alpha.txt beta.par
# zsh offers no option given already that may stand once, and a value right after the letter that
# takes it.
if [[ $shell == zsh ]]; then
    offers 'kv list --help --' --prefix --store --version --completion --manual
    offers 'wordfreq -co' -coalpha -cocount
fi

# The words offered for each line, one a line, then a line "@@".
session() {
    case $shell in
        bash) bash --norc -c '
            # As the reply will be read when the line runs; file names are quoted by readline instead.
            compopt() { [[ $* == *filenames* ]] && filenames=1; }
            for script in "${@:2:$1}"; do source "$script"; done
            printf -v quote "\x27"
            for line in "${@:$1+2}"; do
                program=${line%% *} filenames=0
                function=$(complete -p -- "${program//$quote/}") function=${function#*-F } function=${function%% *}
                COMP_LINE=$line COMP_POINT=${#line}
                "$function"
                if (( filenames )); then words=("${COMPREPLY[@]}"); else eval "words=(${COMPREPLY[*]})"; fi
                (( ${#words[@]} )) && printf "%s\n" "${words[@]}"
                echo @@
            done' _ "${#scripts[@]}" "${scripts[@]}" "${lines[@]}" ;;
        zsh) zsh -f "$here/capture.zsh" "${scripts[@]}" -- "${lines[@]}" ;;
        fish) fish --no-config -c '
            set -l last (math $argv[1] + 1)
            for script in $argv[2..$last]; source $script; end
            for line in $argv[(math $last + 1)..-1]
                for offered in (complete -C $line); string split -f 1 \t -- $offered; end
                echo @@
            end' "${#scripts[@]}" "${scripts[@]}" "${lines[@]}" ;;
    esac
}

i=0 words=()
while IFS= read -r word; do
    if [[ $word != @@ ]]; then
        words+=("$word")
        continue
    fi
    line=${lines[i]} current=${lines[i]##* } actual=()
    for word in "${words[@]}"; do
        [[ $current == --*=* ]] && word=${word#"${current%%=*}="}
        [[ $shell == bash && $word == -- && -- == "$current"* ]] || actual+=("$word")
    done
    offered=$( ((${#actual[@]})) && printf '%s\n' "${actual[@]}" | sort)
    if [[ "$offered" != "${expected[i]}" ]]; then
        printf '%s: "%s" offers [%s], expected [%s]\n' "$shell" "$line" "${offered//$'\n'/, }" "${expected[i]//$'\n'/, }"
        failures=$((failures + 1))
    fi
    i=$((i + 1)) words=()
done < <(session)
if ((i != ${#lines[@]})); then
    echo "$shell: the session answered $i of ${#lines[@]} lines"
    failures=$((failures + 1))
fi
if [[ -e pwned ]]; then
    echo "$shell: a text of a script ran as a command"
    failures=$((failures + 1))
fi
echo "$shell completion: ${#lines[@]} lines, $failures failed"
((failures == 0))
