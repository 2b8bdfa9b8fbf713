# bash completion for granum-cli. Commands and options are read from the program's own help, so
# they never drift from what the installed version takes.
_granum_cli() {
    local cur prev words cword
    _init_completion || return

    local program=${words[0]} commands command="" i
    commands=$("$program" --help 2>/dev/null | sed -n '/^Subcommands:/,/^$/p' | awk 'NR > 1 && NF { printf "%s ", $1 }')
    for ((i = 1; i < cword; i++)); do
        if [[ " $commands " == *" ${words[i]} "* ]]; then
            command=${words[i]}
            break
        fi
    done

    case $prev in
        -s | --scheme)
            COMPREPLY=($(compgen -W "$("$program" schemes 2>/dev/null | awk '{ print $1 }')" -- "$cur"))
            _filedir dat
            return
            ;;
        -o | --output)
            _filedir
            return
            ;;
        --style)
            COMPREPLY=($(compgen -W "classic publication" -- "$cur"))
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$("$program" $command --help 2>/dev/null |
            grep -oE -- '(^|[ ,])--?[A-Za-z][-A-Za-z]*' | tr -d ' ,' | sort -u)" -- "$cur"))
    elif [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
    else
        _filedir
    fi
}
complete -F _granum_cli granum-cli
