#!/usr/bin/env bash
# check.sh <path of manual_host> <page>...: groff reads each page without a warning (and mandoc -Tlint
# finds nothing, where it is installed); then the manual page and the Markdown reference of the host,
# whose texts are full of roff and Markdown syntax, are rendered by groff and cmark (where installed),
# and every one of those texts must come out as the same text: nothing of it read as a request, an
# escape, emphasis, a link, HTML or a list.
set -u
host=$1
shift
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT || exit 1
failures=0
fail() {
    printf '%s\n' "$*"
    failures=$((failures + 1))
}

for page in "$@" "$work/hostile.1"; do
    [[ $page == "$work/hostile.1" ]] && { "$host" man > "$page" || fail "manual_host man failed"; }
    warnings=$(groff -man -ww -z "$page" 2>&1)
    [[ -z $warnings ]] || fail "groff warns on $page: $warnings"
    if command -v mandoc > /dev/null; then
        warnings=$(mandoc -Tlint "$page" 2>&1) || fail "mandoc -Tlint on $page: $warnings"
    fi
done

# The texts of the host, as a reader must see them.
texts=(".TH roff" "'br quote" '\fB backslash' '# heading *star* _under_ |pipe| <b>html</b> [link](x)' '1. listed'
       '.B bold request' '\(dq named' ".SH request at the start" "'sq apostrophe \\e escape \"dq quotes\" \`back\`"
       '*fast*, _slow_' '- dash + plus = equals > quote ~tilde~ &amp; entity' 'café naïve \\ double backslash'
       '.SS group' "'\\\" a remark" '~/.hostile\rc' '$HOME/.rc \n' '.ex three' '.\" end' 'evil\fB(1)' '--mode=<MODE>' '--level=N|M')

# groff, one line as wide as any text, no bold or underline; its typographic dashes and quotes as ASCII.
rendered=$(groff -man -Tutf8 -rLL=300n -P-cbou "$work/hostile.1" 2>&1 | sed -e 's/‐/-/g; s/−/-/g; s/’/'"'"'/g; s/‘/`/g')
for text in "${texts[@]}"; do
    grep -qF -- "$text" <<< "$rendered" || fail "groff does not show: $text"
done

if command -v cmark > /dev/null; then
    "$host" markdown > "$work/hostile.md" || fail "manual_host markdown failed"
    html=$(cmark "$work/hostile.md")
    # Only the elements the reference is made of: headings, paragraphs, lists, code.
    tags=$(grep -o '<[a-z][a-z0-9]*' <<< "$html" | sort -u | tr '\n' ' ')
    [[ $tags == "<code <h1 <h2 <h3 <h4 <li <p <pre <ul " ]] || fail "cmark makes elements: $tags"
    shown=$(sed -e 's/<[^>]*>//g; s/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g; s/&amp;/\&/g' <<< "$html")
    for text in "${texts[@]}"; do
        grep -qF -- "$text" <<< "$shown" || fail "cmark does not show: $text"
    done
else
    echo "cmark not found: the Markdown reference is not rendered"
fi
echo "manual pages: $# examples and the hostile page and reference, $failures failed"
((failures == 0))
