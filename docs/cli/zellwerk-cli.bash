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
        --levels)
            COMPREPLY=($(compgen -W "leicht mittel schwer leicht,mittel,schwer" -- "$cur"))
            return ;;
        --output)
            _filedir pdf
            return ;;
    esac

    local options="--threads --engine --help"
    case ${words[1]} in
        solve) options+=" --ordered --logic-only --cells" ;;
        count) options+=" --limit" ;;
        generate) options+=" --hard --fields --count --seed" ;;
        booklet) options+=" --count --levels --solutions --seed --output" ;;
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
