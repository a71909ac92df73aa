# bash completion for telvorctl.
# The verbs and their options are read from `telvorctl --help`, so that a verb
# completes as soon as the help lists it. What a word asks for decides how it
# completes: CODE the parameter codes A00..A12 and b00..b97, FILE parameter and
# compare files, a name like OUT.pdf or A.vx3 files of that kind, DIR folders,
# a port COM1..COM8 or a path, a list like 50|60 its words.

_telvorctl_help() {
    if [[ -z ${_telvorctl_help_text-} ]]; then
        _telvorctl_help_text=$("$1" --help 2>/dev/null)
    fi
    printf '%s\n' "$_telvorctl_help_text"
}

# The usage line of verb $2 (without the verb), then its summary line.
_telvorctl_verb_lines() {
    _telvorctl_help "$1" | awk -v verb="$2" '
        found { print; exit }
        $0 ~ "^  " verb "( |$)" { sub("^  " verb " ?", ""); print; found = 1 }'
}

_telvorctl_files() {  # $1: the extensions, e.g. "vx3 mvx"; folders are offered to go into
    local f ext
    while IFS= read -r f; do
        if [[ -d $f ]]; then
            COMPREPLY+=("$f")
            continue
        fi
        for ext in $1; do
            [[ ${f,,} == *."$ext" ]] && COMPREPLY+=("$f")
        done
    done < <(compgen -f -- "$cur")
}

_telvorctl_value() {  # completes $cur as the placeholder $1 asks
    local what=${1%...}
    case $what in
        CODE) COMPREPLY=($(compgen -W "$(printf 'A%02d ' {0..12}) $(printf 'b%02d ' {0..97})" -- "$cur")) ;;
        FILE) _telvorctl_files "vx3 mvx" ;;
        *.*) _telvorctl_files "${what##*.}" ;;
        DIR) COMPREPLY=($(compgen -d -- "$cur")) ;;
        *PATH*) COMPREPLY=($(compgen -W "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8" -- "$cur") $(compgen -f -- "$cur")) ;;
        *'|'*) COMPREPLY=($(compgen -W "$(tr '|' '\n' <<<"$what" | grep -E '^[a-z0-9]+$')" -- "$cur")) ;;
    esac
}

# Reads a usage line into opts (every option), values (option -> what its value
# is) and places (what each word without a dash is), leaving out the words of
# a bracket that names no option ("[link options as for scan]").
_telvorctl_parse() {
    local -a t
    local line=${1//|-/ | -}  # "--station N|--stations TEXT": two options
    read -ra t <<<"$line"
    local i w name skip=0
    for ((i = 0; i < ${#t[@]}; i++)); do
        w=${t[i]}
        if ((skip)); then
            [[ $w == *']'* ]] && skip=0
            continue
        fi
        [[ $w == '|' ]] && continue
        if [[ $w == '['[!-[]* ]]; then
            [[ $w != *']' ]] && skip=1
            continue
        fi
        w=${w#[}; w=${w#[}
        if [[ $w == -* ]]; then
            name=${w%%]*}
            name=${name%%|*}
            [[ " ${opts[*]} " == *" $name "* ]] || opts+=("$name")
            if [[ $w != *']'* && $w != *'|'* && -n ${t[i + 1]-} && ${t[i + 1]} != [-[\|]* ]]; then
                [[ -n ${values[$name]-} ]] || values[$name]=${t[i + 1]%%]*}
                ((i++))
            fi
        else
            places+=("${w%%]*}")
        fi
    done
}

# The alternatives of a usage line ("drive ... | files ... | defaults ..."):
# bars outside brackets part them.
_telvorctl_alternatives() {
    awk '{
        depth = 0; part = ""
        for (i = 1; i <= NF; i++) {
            if ($i == "|" && depth == 0) { print part; part = ""; continue }
            depth += gsub(/\[/, "[", $i) - gsub(/\]/, "]", $i)
            part = part (part == "" ? "" : " ") $i
        }
        print part
    }' <<<"$1"
}

_telvorctl() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local program=${COMP_WORDS[0]}
    COMPREPLY=()

    local i=1
    while [[ ${COMP_WORDS[i]-} == --trace ]] && ((i < COMP_CWORD)); do ((i++)); done
    if ((i == COMP_CWORD)); then
        local verbs
        verbs=$(_telvorctl_help "$program" | awk '/^  [a-z]/ { print $1 }')
        COMPREPLY=($(compgen -W "$verbs --trace --help --version" -- "$cur"))
        return
    fi
    local verb=${COMP_WORDS[i]}

    local usage summary
    { IFS= read -r usage; IFS= read -r summary; } < <(_telvorctl_verb_lines "$program" "$verb")
    local -a alternatives
    mapfile -t alternatives < <(_telvorctl_alternatives "$usage")

    # With alternatives the first word without a dash chooses one.
    local -a opts=() places=()
    local -A values=()
    local first="" word j
    if ((${#alternatives[@]} > 1)); then
        for ((j = i + 1; j < COMP_CWORD; j++)); do
            [[ ${COMP_WORDS[j]} != -* ]] && { first=${COMP_WORDS[j]}; break; }
        done
        local alternative
        for alternative in "${alternatives[@]}"; do
            [[ ${alternative%% *} == "$first" ]] && usage=${alternative#* }
        done
        if [[ -z $first ]]; then
            COMPREPLY=($(compgen -W "$(printf '%s\n' "${alternatives[@]}" | awk '{ print $1 }')" -- "$cur"))
            return
        fi
    fi
    _telvorctl_parse "$usage"
    # "link options as for scan": the options of that verb from its port on.
    if [[ "$usage $summary" =~ as\ for\ ([a-z]+) ]]; then
        local other
        other=$(_telvorctl_verb_lines "$program" "${BASH_REMATCH[1]}" | head -n 1)
        [[ $other == *'[--port '* ]] && other="[--port ${other#*\[--port }"
        _telvorctl_parse "$other"
    fi

    if [[ -n ${values[$prev]-} ]]; then
        _telvorctl_value "${values[$prev]}"
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${opts[*]}" -- "$cur"))
        return
    fi
    # The how-manieth word without a dash this is, leaving out the values of options.
    local place=0
    for ((j = i + 1; j < COMP_CWORD; j++)); do
        word=${COMP_WORDS[j]}
        if [[ -n ${values[$word]-} ]]; then
            ((j++))
        elif [[ $word != -* && $word != "$first" ]]; then
            ((place++))
        fi
    done
    if ((place < ${#places[@]})); then
        _telvorctl_value "${places[place]}"
    elif ((${#places[@]})) && [[ ${places[-1]} == *... ]]; then
        _telvorctl_value "${places[-1]}"
    else
        # More words for an option that takes several ("--add CODE...").
        for ((j = COMP_CWORD - 1; j > i; j--)); do
            word=${COMP_WORDS[j]}
            [[ $word == -* ]] || continue
            [[ ${values[$word]-} == *... ]] && _telvorctl_value "${values[$word]}"
            break
        done
    fi
    return 0
}
complete -o filenames -o bashdefault -F _telvorctl telvorctl
