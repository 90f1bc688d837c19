#!/usr/bin/env bash
# Every Text and Label of the window shows text, never markup: QML files use PlainLabel and
# PlainText, and a textFormat other than PlainText is allowed only where a comment on the line
# before says the markup is the program's own ("own markup").
set -euo pipefail
cd "$1"
status=0
while IFS= read -r -d '' file; do
    case "$(basename "$file")" in PlainLabel.qml | PlainText.qml) continue ;; esac
    if grep -nE '(^|[^A-Za-z.])(Text|Label)[[:space:]]*\{' "$file"; then
        echo "$file: a bare Text or Label renders markup from outside; use PlainText or PlainLabel." >&2
        status=1
    fi
    if grep -nE '(^|[^A-Za-z.])(Text|Label)[[:space:]]*$' "$file" | grep -vE '^\s*//' ; then
        echo "$file: a bare Text or Label (brace on the next line); use PlainText or PlainLabel." >&2
        status=1
    fi
    previous=""
    lineno=0
    while IFS= read -r line; do
        lineno=$((lineno + 1))
        if [[ "$line" =~ textFormat: ]] && [[ "$line" =~ (RichText|StyledText|MarkdownText|AutoText) ]] && ! [[ "$previous" =~ "own markup" ]]; then
            echo "$file:$lineno: textFormat allows markup without an \"own markup\" comment above." >&2
            status=1
        fi
        previous="$line"
    done < "$file"
done < <(find src/ui -name '*.qml' -print0)
exit $status
