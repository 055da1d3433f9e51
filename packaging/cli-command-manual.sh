#!/bin/sh
# Writes a help2man include file holding each airmotor-cli command's own COMMAND --help (usage,
# options, example), so the manual page lists every command's options exactly as the program does.
# Usage: cli-command-manual.sh AIRMOTOR_CLI OUTPUT
set -eu
cli=$1
out=$2
# The command names are the first words of the lines under "Commands:" in the program's help.
commands=$("$cli" --help | sed -n '/^Commands:$/,/^$/s/^  \([a-z][a-z0-9-]*\) .*/\1/p')
[ -n "$commands" ] || { echo "$0: no commands found in $cli --help" >&2; exit 1; }
{
    echo '[COMMAND OPTIONS]'
    for command in $commands; do
        echo ".SS $command"
        echo '.nf'
        # Backslashes and a leading dot or quote would be read as roff requests.
        "$cli" "$command" --help | sed -e 's/\\/\\e/g' -e "s/^[.']/\\\\\\&&/"
        echo '.fi'
    done
} >"$out.tmp"
mv "$out.tmp" "$out"
