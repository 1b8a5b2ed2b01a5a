# Turns the help of kapibuch-cli into the roff of the manual page's command section.
# Input: the help of each command (as `kapibuch-cli COMMAND --help` prints it), each
# preceded by a line "@@COMMAND name". Output: one .SS block per command with its
# description, positionals (when they are described) and options.

function esc(s) {
  gsub(/\\/, "\\e", s)
  gsub(/--/, "\\-\\-", s)
  return s
}

# Option names and command-line words: every hyphen is a minus sign.
function opt(s) {
  gsub(/\\/, "\\e", s)
  gsub(/-/, "\\-", s)
  return s
}

function word(w) {
  if (w == "FILE") return "DATEI"
  if (w == "OPTIONS") return "OPTIONEN"
  if (w == "INT" || w == "UINT" || w == "FLOAT" || w == "NUMBER") return "ZAHL"
  return w
}

function trim(s) {
  sub(/^ +/, "", s)
  sub(/ +$/, "", s)
  return s
}

function bodyline(s) {
  if (s ~ /^[.']/) s = "\\&" s
  print s
}

# Prints one option or positional entry from its help line ("--kind TEXT:{a,b} ERFORDERLICH").
function entry(optline, desc, positional,    name, rest, head, notes, m, values, list, n, i) {
  if (positional && trim(desc) == "") return
  name = optline
  sub(/ .*/, "", name)
  rest = substr(optline, length(name) + 1)
  head = positional ? "\\fI" word(name) "\\fR" : "\\fB" opt(name) "\\fR"
  notes = ""
  while ((rest = trim(rest)) != "") {
    if (match(rest, /^[A-Z]+:\{[^}]*\}/)) {
      values = substr(rest, RSTART, RLENGTH)
      m = values
      sub(/:.*/, "", m)
      sub(/^[A-Z]+:\{/, "", values)
      sub(/\}$/, "", values)
      n = split(values, list, ",")
      values = ""
      for (i = 1; i <= n; i++) values = values (i > 1 ? ", " : "") "\\(Bq" list[i] "\\(lq"
      if (!positional) head = head " \\fI" word(m) "\\fR"
      notes = notes " Werte: " values "."
      rest = substr(rest, RLENGTH + 1)
    } else if (match(rest, /^[A-Z]+:[A-Z]+ in \[[^]]*\]/)) {
      values = substr(rest, RSTART, RLENGTH)
      m = values
      sub(/:.*/, "", m)
      sub(/^.*\[ */, "", values)
      sub(/ *\]$/, "", values)
      sub(/ *- */, " bis ", values)
      if (!positional) head = head " \\fI" word(m) "\\fR"
      notes = notes " Werte: " values "."
      rest = substr(rest, RLENGTH + 1)
    } else if (match(rest, /^[A-Z]+:[A-Z]+/)) {
      m = substr(rest, RSTART, RLENGTH)
      values = m
      sub(/:.*/, "", m)
      sub(/^[A-Z]+:/, "", values)
      if (!positional) head = head " \\fI" word(m) "\\fR"
      if (values == "POSITIVE") notes = notes " Werte: ab 1."
      else if (values == "NONNEGATIVE") notes = notes " Werte: ab 0."
      else notes = notes " " values "."
      rest = substr(rest, RLENGTH + 1)
    } else if (match(rest, /^ERFORDERLICH/)) {
      notes = notes " Erforderlich."
      rest = substr(rest, RLENGTH + 1)
    } else if (match(rest, /^Unvereinbar:( +-[^ ]+)+/)) {
      m = substr(rest, 13, RLENGTH - 12)
      notes = notes " Nicht zusammen mit " opt(trim(m)) "."
      rest = substr(rest, RLENGTH + 1)
    } else if (match(rest, /^Erfordert:( +-[^ ]+)+/)) {
      m = substr(rest, 11, RLENGTH - 10)
      notes = notes " Nur zusammen mit " opt(trim(m)) "."
      rest = substr(rest, RLENGTH + 1)
    } else if (match(rest, /^[A-Z]+( |$)/)) {
      if (!positional) head = head " \\fI" word(trim(substr(rest, 1, RLENGTH))) "\\fR"
      rest = substr(rest, RLENGTH + 1)
    } else if (trim(desc) == "") {
      # A long option line leaves a single blank before its description: the rest is it.
      desc = rest
      rest = ""
    } else {
      # Anything this page does not know yet is shown as the help writes it.
      m = rest
      sub(/ .*/, "", m)
      notes = notes " " esc(m)
      rest = substr(rest, length(m) + 1)
    }
  }
  desc = trim(esc(desc))
  if (desc != "" && desc !~ /[.!?]$/) desc = desc "."
  if (positional) notes = ""
  desc = trim(desc notes)
  print ".TP"
  bodyline(head)
  if (desc != "") bodyline(desc)
}

function flush() {
  if (pending != "") entry(pending, pendingDesc, section == "Argumente")
  pending = ""
  pendingDesc = ""
}

/^@@COMMAND / {
  flush()
  command = $2
  line = 0
  section = ""
  next
}

{
  line++
  if (line == 1) { description = $0; next }
  if ($0 ~ /^Aufruf: /) {
    usage = $0
    sub(/^Aufruf: [^ ]+ [^ ]+ */, "", usage)
    n = split(usage, parts, " ")
    usage = ""
    for (i = 1; i <= n; i++) {
      w = parts[i]
      if (w ~ /^\[[A-Z]+\]$/) w = "[\\fI" word(substr(w, 2, length(w) - 2)) "\\fR]"
      else if (w ~ /^[A-Z]+$/) w = "\\fI" word(w) "\\fR"
      usage = usage " " w
    }
    print ".SS \"" opt(command) usage "\""
    bodyline(esc(description) (description ~ /[.!?]$/ ? "" : "."))
    next
  }
  if ($0 ~ /^[A-Z][a-z]+:$/) { flush(); section = substr($0, 1, length($0) - 1); next }
  if ($0 ~ /^$/) { flush(); next }
  if (section != "Optionen" && section != "Argumente") next
  if ($0 ~ /^  [^ ]/) {
    flush()
    optline = substr($0, 3)
    desc = ""
    if (match(optline, /  +/)) {
      desc = substr(optline, RSTART + RLENGTH)
      optline = substr(optline, 1, RSTART - 1)
    }
    # The help option is the same for every command and described once, above.
    if (optline ~ /^-h,--help$/) next
    pending = optline
    pendingDesc = desc
  } else if (pending != "") {
    pendingDesc = pendingDesc " " trim($0)
  }
}

END { flush() }
