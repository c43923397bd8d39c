# SPDX-License-Identifier: MIT
# bash completion for vste-cli: commands, each command's options, the values of --to, --format,
# --fargus and --codepage, and file names everywhere else. Commands and options are read from the
# program's own --help, so commands added later complete without editing this file.

_vste_cli_commands() {
    vste-cli --help 2>/dev/null |
        awk '/^Subcommands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } on && /^$/ { on = 0 }'
}

_vste_cli_options() {
    vste-cli "$1" --help 2>/dev/null | grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' |
        sed 's/^[ ,]*//' | sort -u
}

_vste_cli() {
    local cur prev words cword
    _init_completion || return

    local formats="csf str eaw uib westwood lte trr tre"
    case "$prev" in
    --to | --format)
        COMPREPLY=($(compgen -W "$formats" -- "$cur"))
        return
        ;;
    --fargus)
        COMPREPLY=($(compgen -W "decode encode" -- "$cur"))
        return
        ;;
    --codepage)
        COMPREPLY=($(compgen -W "874 1250 1251 1252 1253 1254 1255 1256 1257 1258" -- "$cur"))
        return
        ;;
    esac

    # The command is the first word after the program that is not an option.
    local command="" i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            break
        fi
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--help --version" -- "$cur"))
        else
            local commands
            commands=$(_vste_cli_commands)
            [[ -n $commands ]] || commands="dump categories convert find replace check diff update export apply"
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_vste_cli_options "$command")" -- "$cur"))
        return
    fi
    _filedir
}

complete -F _vste_cli vste-cli
