#!/bin/sh
# Writes a help2man include file with a COMMANDS section: the --help of each granum-cli command,
# so that the manual page says exactly what the installed program says.
set -eu
program=$1
output=$2
{
    echo '[COMMANDS]'
    "$program" --help | sed -n '/^Subcommands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }' |
        while read -r command; do
            echo ".SS $command"
            echo '.nf'
            "$program" "$command" --help | sed -e 's/\\/\\e/g' -e 's/^[.'\'']/\\\&&/'
            echo '.fi'
        done
    echo '[FILES]'
    echo '.TP'
    echo '.I /usr/share/granum/schemes'
    echo 'The bundled classification schemes (see the schemes command).'
    echo '[SEE ALSO]'
    echo '.BR granum (1)'
} > "$output"
