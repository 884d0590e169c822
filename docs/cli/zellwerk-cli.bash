# bash completion for zellwerk-cli: subcommands, each one's options, and puzzle files.
_zellwerk_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="solve rate count tip explain check generate booklet"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
        --threads | --limit | --fields | --count | --seed)
            return ;;
        --engine)
            COMPREPLY=($(compgen -W "fast exact" -- "$cur"))
            return ;;
        --level | --levels)
            local levels="leicht mittel schwer sehr-schwer extrem"
            if [[ ${words[1]} == booklet ]]; then
                # A comma-separated list: complete the name after the last comma.
                local done=""
                [[ $cur == *,* ]] && done=${cur%,*},
                COMPREPLY=($(compgen -P "$done" -W "$levels" -- "${cur##*,}"))
                compopt -o nospace 2>/dev/null
            else
                COMPREPLY=($(compgen -W "$levels" -- "$cur"))
            fi
            return ;;
        --output)
            _filedir pdf
            return ;;
    esac

    local options="--threads --engine --help"
    case ${words[1]} in
        solve) options+=" --ordered --logic-only --cells" ;;
        count) options+=" --limit" ;;
        rate) options+=" --score" ;;
        generate) options+=" --hard --fields --level --score --count --seed" ;;
        booklet) options+=" --count --level --levels --solutions --seed --output" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case ${words[1]} in
        generate | booklet) ;;
        check) _filedir sudoku ;;
        *) _filedir '@(txt|sdk|ss|sudoku)' ;;
    esac
}
complete -F _zellwerk_cli zellwerk-cli
