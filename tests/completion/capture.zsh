# zsh capture.zsh SCRIPT LINE: the matches zsh's completion offers at the end of LINE, one a line.
zmodload zsh/zpty
zpty z zsh -f -i
zpty -w z "PS1='' PROMPT=''; autoload -Uz compinit; compinit -u -D; source ${(q)1}"
zpty -w z 'bindkey "^I" complete-word; zstyle ":completion:*" insert-tab false'
zpty -w z 'mark() { print -r -- "@@MARK@@" }; compprefuncs=(mark); comppostfuncs=(mark exit)'
zpty -w z 'compadd() { if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi;
  local -a hits; builtin compadd -A hits "$@"; local h; for h in $hits; do print -r -- "@@MATCH@@$IPREFIX$h"; done }'
zpty -w z "$2"$'\t'
local line out=""
while zpty -r z line; do out+=$line; done
print -r -- ${(F)${(M)${(f)${out//$'\r'/}}:#@@MATCH@@*}#@@MATCH@@} | sort -u
