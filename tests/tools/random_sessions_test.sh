#!/usr/bin/env bash
# Random but plausible user sessions on the shipped folder, a folder at the
# list limits and a Japanese folder with long lines, each ending with 終了
# and a folder that starts again cleanly. usage: SESSIONS DEFAULTS SHIPPED
# JAPANESE LIMITS (the numbers of sessions on each folder).
set -euo pipefail
sessions=$1
defaults=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/session_folders.py" "$defaults" "$work"
"$sessions" "$defaults" "$3" 1
"$sessions" "$work/japanese" "$4" 100001
"$sessions" "$work/limits" "$5" 200001
