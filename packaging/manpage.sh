#!/bin/sh
# Writes the manual page of the l3xml command from the program's own help, so that it follows the
# command line as it changes: NAME, SYNOPSIS, DESCRIPTION and OPTIONS from 'l3xml --help', one
# subsection per subcommand that it lists from 'l3xml SUBCOMMAND --help', EXAMPLES from its
# example.
#   manpage.sh PROGRAM OUTPUT
set -eu
if [ $# -ne 2 ]; then
  echo "usage: manpage.sh PROGRAM OUTPUT" >&2
  exit 2
fi
program=$1
output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Reads one help page as CLI11 lays it out (description lines, "Usage: ...", sections of entries
# with their text from column 30, then free text with "Example:" blocks of indented lines) and
# prints the part of the page named by PART as roff.
render() {
  awk -v part="$1" '
    function esc(s) {
      gsub(/\\/, "\\e", s)
      if (s ~ /^[.\047]/) s = "\\&" s
      return s
    }
    function dashes(s) { s = esc(s); gsub(/-/, "\\-", s); return s }
    # An entry name: options in bold, value names in italics, the rest as it is.
    function entry_name(s,    n, words, i, out, w, parts, j, sep) {
      n = split(s, words, " ")
      out = ""
      for (i = 1; i <= n; i++) {
        w = words[i]
        if (w ~ /^-/) {
          sep = ""
          split(w, parts, ",")
          for (j = 1; j in parts; j++) {
            w = sep "\\fB" dashes(parts[j]) "\\fR"
            sep = ", "
            out = out w
          }
        } else if (match(w, /^[A-Z][A-Z0-9_]*/)) {
          out = out "\\fI" substr(w, 1, RLENGTH) "\\fR" esc(substr(w, RLENGTH + 1))
        } else {
          out = out esc(w)
        }
        if (i < n) out = out " "
      }
      return out
    }
    # The usage line: the command words in bold, its arguments as they are.
    function usage_roff(s,    n, words, i, cmd, rest) {
      n = split(s, words, " ")
      cmd = ""
      for (i = 1; i <= n && words[i] ~ /^[a-z][a-z0-9-]*$/; i++) cmd = cmd (cmd == "" ? "" : " ") words[i]
      rest = ""
      for (; i <= n; i++) rest = rest (rest == "" ? "" : " ") words[i]
      return ".B " cmd "\n" dashes(rest)
    }
    function text_lines(s,    n, lines, i, out) {
      n = split(s, lines, "\n")
      out = ""
      for (i = 1; i <= n; i++) out = out esc(lines[i]) (i < n ? "\n" : "")
      return out
    }
    # A heading and its indented lines, kept as they are; under EXAMPLES, an "Example:" heading
    # says nothing more.
    function block_roff(k,    n, lines, i, out, plain) {
      n = split(ftext[k], lines, "\n")
      plain = part == "examples" && lines[1] ~ /^Examples?:$/
      out = plain ? ".PP\n.nf" : ".PP\n" esc(lines[1]) "\n.RS 4\n.nf"
      for (i = 2; i <= n; i++) out = out "\n" dashes(substr(lines[i], 3))
      return out "\n.fi" (plain ? "" : "\n.RE")
    }
    function entries_roff(sec,    e, out) {
      out = ""
      for (e = 1; e <= ne; e++) {
        if (esec[e] != sec) continue
        out = out ".TP\n" entry_name(ename[e]) "\n" esc(etext[e]) "\n"
      }
      return out
    }
    BEGIN { state = "description"; nd = 0; ns = 0; ne = 0; nf = 0; open = "" }
    state == "description" {
      if ($0 ~ /^Usage: /) { usage = substr($0, 8); state = "sections"; next }
      if ($0 != "") desc[++nd] = $0
      next
    }
    state == "sections" {
      if ($0 == "") { next }
      if ($0 ~ /^[A-Z][^:]*:$/ && $0 !~ /^Examples?:$/) { section[++ns] = substr($0, 1, length($0) - 1); next }
      if (ns > 0 && $0 ~ /^  [^ ]/) {
        line = substr($0, 3)
        ne++
        esec[ne] = section[ns]
        if (match(line, /  +/)) {
          ename[ne] = substr(line, 1, RSTART - 1)
          etext[ne] = substr(line, RSTART + RLENGTH)
        } else {
          ename[ne] = line
          etext[ne] = ""
        }
        next
      }
      if (ne > 0 && $0 ~ /^   +[^ ]/) {
        line = $0
        sub(/^ +/, "", line)
        etext[ne] = etext[ne] (etext[ne] == "" ? "" : " ") line
        next
      }
      state = "footer"
    }
    state == "footer" {
      if ($0 == "") { open = ""; next }
      if (open == "b" && $0 ~ /^  /) { ftext[nf] = ftext[nf] "\n" $0; next }
      if ($0 ~ /:$/ && $0 !~ /^ /) { ftype[++nf] = "b"; ftext[nf] = $0; open = "b"; next }
      if (open == "p") { ftext[nf] = ftext[nf] "\n" $0; next }
      ftype[++nf] = "p"; ftext[nf] = $0; open = "p"
    }
    END {
      if (part == "name") {
        name = desc[1]
        sub(/^l3xml: */, "", name)
        sub(/\.$/, "", name)
        print "l3xml \\- " esc(name)
      } else if (part == "synopsis") {
        print usage_roff(usage)
        print ".br"
      } else if (part == "description") {
        for (d = 2; d <= nd; d++) print esc(desc[d])
        for (k = 1; k <= nf; k++) if (ftype[k] == "p") print ".PP\n" text_lines(ftext[k])
      } else if (part == "options") {
        for (s = 1; s <= ns; s++) {
          if (section[s] == "Subcommands") continue
          print ".SH " toupper(section[s])
          printf "%s", entries_roff(section[s])
        }
      } else if (part == "examples") {
        for (k = 1; k <= nf; k++) if (ftype[k] == "b") print block_roff(k)
      } else if (part == "subcommand") {
        split(usage, words, " ")
        print ".SS " words[2]
        for (d = 1; d <= nd; d++) print esc(desc[d])
        print ".PP\n" usage_roff(usage)
        for (s = 1; s <= ns; s++) {
          print ".PP\n" esc(section[s]) ":\n.RS 4"
          printf "%s", entries_roff(section[s])
          print ".RE"
        }
        for (k = 1; k <= nf; k++) print (ftype[k] == "p" ? ".PP\n" text_lines(ftext[k]) : block_roff(k))
      }
    }'
}

"$program" --help >"$work/main"
version=$("$program" --version)
subcommands=$(awk '/^Subcommands:$/ { on = 1; next } on && /^$/ { exit } on && /^  [^ ]/ { print $1 }' "$work/main")
for subcommand in $subcommands; do
  "$program" "$subcommand" --help >"$work/sub-$subcommand"
done

{
  printf '.TH L3XML 1 "" "l3xml %s" "User Commands"\n' "$version"
  echo ".SH NAME"
  render name <"$work/main"
  echo ".SH SYNOPSIS"
  render synopsis <"$work/main"
  for subcommand in $subcommands; do render synopsis <"$work/sub-$subcommand"; done
  echo ".SH DESCRIPTION"
  render description <"$work/main"
  render options <"$work/main"
  if [ -n "$subcommands" ]; then
    echo ".SH SUBCOMMANDS"
    for subcommand in $subcommands; do render subcommand <"$work/sub-$subcommand"; done
  fi
  echo ".SH EXAMPLES"
  render examples <"$work/main"
} >"$output.new"
mv "$output.new" "$output"
