# Turns apt sources into deb822 deb-src stanzas for one suite, the release's own:
#   awk -v release=bookworm -f deb-src-entries.awk FILE...
# Files named *.sources are read as deb822 stanzas, others as one-line entries
# (`deb [signed-by=K] URI SUITE COMPONENT...`). Signed-By (a path or an inline key) and
# Trusted are kept, so the private index is checked against the host's keys; disabled
# entries, other suites and flat repositories (no components) are left out, and each
# stanza is printed once.
function reset() { types = uris = suites = components = signed = trusted = ""; enabled = "yes" }
function emit(   n, i, list, stanza) {
  if (tolower(enabled) == "no" || types !~ /(^| )deb(-src)?( |$)/ || components == "") return
  if ((" " suites " ") !~ (" " release " ")) return
  n = split(uris, list, " ")
  for (i = 1; i <= n; i++) {
    stanza = "Types: deb-src\nURIs: " list[i] "\nSuites: " release "\nComponents: " components "\n"
    if (signed != "") stanza = stanza "Signed-By: " signed "\n"
    if (trusted != "") stanza = stanza "Trusted: " trusted "\n"
    if (!(stanza in seen)) { seen[stanza] = 1; printf "%s\n", stanza }
  }
}
function oneline(   i, options, pairs, n, kv) {
  reset()
  types = $1
  i = 2
  if ($2 ~ /^\[/) {
    for (options = ""; i <= NF; i++) { options = options " " $i; if ($i ~ /\]$/) { i++; break } }
    gsub(/[][]/, "", options)
    n = split(options, pairs, " ")
    for (; n > 0; n--) {
      split(pairs[n], kv, "=")
      if (kv[1] == "signed-by") signed = kv[2]
      if (kv[1] == "trusted") trusted = kv[2]
    }
  }
  uris = $i; suites = $(i + 1)
  for (i += 2; i <= NF; i++) components = components (components == "" ? "" : " ") $i
  emit()
}
FNR == 1 { if (stanza_open) emit(); reset(); stanza_open = 0; field = "" }
FILENAME !~ /\.sources$/ { sub(/#.*/, ""); if ($1 == "deb" || $1 == "deb-src") oneline(); next }
/^[ \t]*#/ { next }
/^[ \t]*$/ { if (stanza_open) emit(); reset(); stanza_open = 0; field = ""; next }
/^[ \t]/ { if (field == "signed-by") signed = signed "\n" $0; next }
{
  stanza_open = 1
  field = tolower(substr($0, 1, index($0, ":") - 1))
  value = substr($0, index($0, ":") + 1)
  gsub(/^[ \t]+|[ \t]+$/, "", value)
  if (field == "types") types = value
  else if (field == "uris") uris = value
  else if (field == "suites") suites = value
  else if (field == "components") components = value
  else if (field == "signed-by") signed = value
  else if (field == "trusted") trusted = value
  else if (field == "enabled") enabled = value
}
END { if (stanza_open) emit() }
