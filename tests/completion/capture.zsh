# zsh capture.zsh SCRIPT... -- LINE...: one zsh (one compinit) loads the scripts, then completes each
# LINE at its end; for each, the matches offered are printed one a line, then a line "@@". The matches
# are taken where they are added (compadd), quoted as zsh would insert them, and printed as zsh reads
# them back: with their quotes removed.
zmodload zsh/zpty
local split=${@[(i)--]}
local -a scripts=("${@[1,split-1]}") lines=("${@[split+1,-1]}")
zpty z zsh -f -i
zpty -w z "PS1='' PROMPT=''; bindkey -e; unsetopt beep list_beep auto_list; autoload -Uz compinit; compinit -u -D"
local script
for script in $scripts; do zpty -w z "source ${(q)script}"; done
zpty -w z 'bindkey "^I" complete-word; zstyle ":completion:*" insert-tab false'
# _main_complete empties comppostfuncs each time it has run them.
zpty -w z 'completed() { comppostfuncs=(completed); print -r -- "${:-@@}DONE" }; comppostfuncs=(completed)'
zpty -w z 'compadd() { if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi;
  local -a hits; builtin compadd -A hits "$@"; local h; for h in $hits; do print -r -- "${:-@@}MATCH${(Q)${:-$IPREFIX$h}}"; done }'
zpty -w z 'print -r -- "${:-@@}READY"'
local out line match
zpty -r z out '*@@READY*'
for line in $lines; do
    # The line is typed and completed, never run: ^U clears it for the next one.
    zpty -wn z "$line"$'\t'
    zpty -r z out '*@@DONE*'
    for match in ${(M)${(f)out//$'\r'/}:#*@@MATCH*}; do print -r -- "${match##*@@MATCH}"; done
    print -r -- "@@"
    zpty -wn z $'\x15'
done
zpty -d z
