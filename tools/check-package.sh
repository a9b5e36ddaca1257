#!/usr/bin/env bash
# Installs a build into a scratch DESTDIR and checks it as a desktop would see
# it, then builds the Debian package from it and checks what the package
# holds and depends on.
#
#   tools/check-package.sh BUILD-DIR VERSION APP-ID
#
# Needs desktop-file-utils, appstream, dpkg-dev, file, imagemagick,
# shared-mime-info and python3 (the test command installs them). Prints
# PASS/FAIL lines; exits 1 on any failure.
set -uo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 BUILD-DIR VERSION APP-ID" >&2
  exit 2
fi
build=$(cd "$1" && pwd) || exit 2
version=$2
app_id=$3

# shellcheck source=tools/check-common.sh
source "$(dirname "$0")/check-common.sh"
give_up() {
  fail "$*"
  echo "FAIL: package check stopped early ($failures failure(s))"
  exit 1
}

for tool in desktop-file-validate appstreamcli cpack dpkg-deb dpkg-shlibdeps file identify \
  update-mime-database python3; do
  command -v "$tool" >/dev/null || give_up "$tool is not installed"
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root

# --- The installed tree -----------------------------------------------------

if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log"
  give_up "cmake --install into a DESTDIR failed"
fi
pass "installed into a DESTDIR"

share=$root/usr/share
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml
mime_type=application/x-tessel-chain
chains=usr/share/tessel-demo/chains
examples=("$chains/weather.tessel" "$chains/board-game.tessel" "$chains/two-groups.tessel")
installed_files=(
  usr/bin/tessel-demo
  usr/bin/tessel-sim
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  "usr/share/icons/hicolor/48x48/apps/$app_id.png"
  "usr/share/icons/hicolor/256x256/apps/$app_id.png"
  usr/share/man/man1/tessel-demo.1.gz
  usr/share/man/man1/tessel-sim.1.gz
  usr/share/doc/tessel-demo/copyright
  "usr/share/mime/packages/$app_id.xml"
  "${examples[@]}"
)
for file in "${installed_files[@]}"; do
  [ -s "$root/$file" ] || fail "nothing installed at /$file"
done

if desktop-file-validate "$desktop" >"$scratch/desktop.log" 2>&1 &&
  ! grep -qE ': (error|warning):' "$scratch/desktop.log"; then
  pass "desktop-file-validate accepts the desktop entry"
else
  fail "desktop-file-validate rejects the desktop entry:"
  cat "$scratch/desktop.log"
fi
if appstreamcli validate --no-net "$metainfo" >"$scratch/metainfo.log" 2>&1; then
  pass "appstreamcli validate accepts the metadata"
else
  fail "appstreamcli validate rejects the metadata:"
  cat "$scratch/metainfo.log"
fi
# Checks that the metadata, its desktop entry and the icon belong together.
if appstreamcli validate-tree --no-net "$root/usr" >"$scratch/tree.log" 2>&1; then
  pass "appstreamcli validate-tree accepts the installed tree"
else
  fail "appstreamcli validate-tree rejects the installed tree:"
  cat "$scratch/tree.log"
fi

# The entry, the metadata and the installed runner speak every language of
# po/LINGUAS.
while read -r language; do
  case "$language" in '' | \#*) continue ;; esac
  grep -q "^Comment\[$language\]=." "$desktop" || fail "the desktop entry has no Comment in $language"
  grep -q "xml:lang=\"$language\"" "$metainfo" || fail "the metadata says nothing in $language"
  said=$(LANGUAGE=$language "$root/usr/bin/tessel-sim" --ticks 10 --seed 1 2>&1 | head -n 1)
  [ "$said" != "$(LANGUAGE=en "$root/usr/bin/tessel-sim" --ticks 10 --seed 1 | head -n 1)" ] ||
    fail "installed tessel-sim does not speak $language: $said"
done <"$(dirname "$0")/../po/LINGUAS"
pass "the desktop entry, the metadata and tessel-sim speak $(grep -vc '^#' "$(dirname "$0")/../po/LINGUAS") more languages"

# The entry must start an installed program and name the installed icon.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "the entry's Exec=$exec_line is no installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = "$app_id" ] || fail "the entry's Icon=$icon is not the installed icon $app_id"
for size in 48 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  shown=$(identify -format '%m %wx%h' "$png" 2>&1)
  [ "$shown" = "PNG ${size}x${size}" ] || fail "the ${size} px icon is \"$shown\""
done
# The entry opens chain files: it hands the program the files it is given.
if [[ "$exec_line" == *" %F" ]] && grep -qxF "MimeType=$mime_type;" "$desktop"; then
  pass "the entry opens $mime_type files"
else
  fail "the entry does not open $mime_type files: Exec=$exec_line, $(grep '^MimeType=' "$desktop")"
fi

# The chain files' type as a desktop sees it once shared-mime-info's trigger
# has rebuilt the MIME database: the glob, the type and its parent. The tool
# exits 0 even on a file it cannot parse, so any message is a failure; the
# scratch folder is made a data folder to keep it from warning that it is not.
mime_db=$scratch/share/mime
mkdir -p "$scratch/share" && cp -R "$share/mime" "$mime_db"
if XDG_DATA_DIRS=$scratch/share update-mime-database "$mime_db" >"$scratch/mime.log" 2>&1 &&
  [ ! -s "$scratch/mime.log" ]; then
  globs=$mime_db/globs2
  [ -f "$globs" ] || globs=$mime_db/globs
  if ! grep -qE "^([0-9]+:)?$mime_type:\*\.tessel(:|$)" "$globs"; then
    fail "the MIME database does not map *.tessel to $mime_type: $(grep -v "^#" "$globs")"
  elif ! grep -qxF "$mime_type" "$mime_db/types"; then
    fail "the MIME database's types do not list $mime_type"
  elif ! grep -qxF "$mime_type application/json" "$mime_db/subclasses"; then
    fail "the MIME database does not make $mime_type a kind of application/json"
  else
    pass "update-mime-database maps *.tessel to $mime_type"
  fi
else
  fail "update-mime-database rejects the installed MIME definition:"
  cat "$scratch/mime.log"
fi

# Each example is a chain the program can open: JSON in the chain format,
# two to four distinct names, and numbers for rates between its own states.
read -r -d '' check_chain <<'PYTHON'
import json, math, string, sys
ascii_lower = str.maketrans(string.ascii_uppercase, string.ascii_lowercase)
chain = json.load(open(sys.argv[1], encoding="utf-8"))
assert chain.get("format") == "tessel-chain", "its format is not tessel-chain"
assert chain.get("version") == 1, "it is not version 1"
assert isinstance(chain.get("title"), str) and chain["title"].strip(), "it has no title"
states = chain.get("states")
assert isinstance(states, list) and 2 <= len(states) <= 4, "it has not 2 to 4 states"
assert len({name.translate(ascii_lower) for name in states}) == len(states), "two states share a name"
for key, rate in chain["rates"].items():
    names = key.split("->")
    assert len(names) == 2 and names[0] != names[1] and set(names) <= set(states), \
        f"the rate {key!r} does not name two of its states"
    assert type(rate) in (int, float) and math.isfinite(rate), f"the rate {key!r} is no number"
PYTHON
for example in "${examples[@]}"; do
  if problem=$(python3 -c "$check_chain" "$root/$example" 2>&1); then
    pass "/$example is a chain"
  else
    fail "/$example is not a chain: $(tail -n 1 <<<"$problem")"
  fi
done

# In roff an option's dashes read \-\-.
if zcat "$share/man/man1/tessel-demo.1.gz" | grep -qF '\-\-screenshot' &&
  zcat "$share/man/man1/tessel-sim.1.gz" | grep -qF '\-\-ticks'; then
  pass "both manual pages describe their program's options"
else
  fail "a manual page lacks its program's options"
fi

for program in tessel-demo tessel-sim; do
  shown=$("$root/usr/bin/$program" --version 2>&1)
  if [ "$shown" = "$program $version" ]; then
    pass "installed $program --version prints \"$shown\""
  else
    fail "installed $program --version prints \"$shown\", expected \"$program $version\""
  fi
done

# The installed runner runs every installed example chain.
for example in "$share/tessel-demo/chains/"*.tessel; do
  if "$root/usr/bin/tessel-sim" --chain "$example" --ticks 2000 --seed 1 >/dev/null 2>"$scratch/sim.err"; then
    pass "installed tessel-sim runs $(basename "$example")"
  else
    fail "installed tessel-sim cannot run $(basename "$example"): $(cat "$scratch/sim.err")"
  fi
done

# --- The Debian package -----------------------------------------------------

if ! (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package") \
  >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  give_up "cpack -G DEB failed"
fi
deb=$(find "$scratch/package" -maxdepth 1 -name '*.deb')
[ "$(wc -l <<<"$deb")" -eq 1 ] && [ -n "$deb" ] || give_up "cpack made no single .deb: $deb"
pass "cpack made $(basename "$deb")"
[ "$(basename "$deb")" = "tessel-demo_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "the package's file name is $(basename "$deb")"

info=$(dpkg-deb --info "$deb") || give_up "dpkg-deb --info cannot read the package"
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = tessel-demo ] || fail "Package is \"$(field Package)\""
[ "$(field Version)" = "$version" ] || fail "Version is \"$(field Version)\""
[ "$(field Section)" = education ] || fail "Section is \"$(field Section)\""
[[ "$(field Maintainer)" =~ ^.+\ \<.+@.+\>$ ]] || fail "Maintainer is \"$(field Maintainer)\""
[ -n "$(field Description)" ] || fail "the package has no Description"
depends=$(field Depends)
# fonts-liberation and the others are named by the package; the libraries are
# found by dpkg-shlibdeps from what the programs link.
depended=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for needed in fonts-liberation qt6-qpa-plugins hicolor-icon-theme libqt6widgets6 libqt6gui6 \
  libqt6core6 libc6 libstdc++6; do
  grep -qxF "$needed" <<<"$depended" || fail "Depends lacks $needed: $depends"
done
pass "Depends: $depends"
# Qt's own dialogs speak the user's language with Debian's Qt translations.
grep -qw qt6-translations-l10n <<<"$(field Recommends)" ||
  fail "Recommends lacks qt6-translations-l10n: $(field Recommends)"

contents=$(dpkg-deb --contents "$deb") || give_up "dpkg-deb --contents cannot read the package"
for file in "${installed_files[@]}"; do
  grep -qE " \./$file$" <<<"$contents" || fail "the package lacks /$file"
done
for program in tessel-demo tessel-sim; do
  grep -qE "^-rwxr-xr-x root/root .* \./usr/bin/$program$" <<<"$contents" ||
    fail "/usr/bin/$program is not an executable owned by root"
done
# Only what the project installs: no tests, benchmarks or libraries.
extra=$(awk '$1 !~ /^d/ { print $NF }' <<<"$contents" | sed 's|^\./||' |
  grep -vxF -f <(printf '%s\n' "${installed_files[@]}"))
[ -z "$extra" ] || fail "the package holds more than it should: $extra"

if [ "$failures" -eq 0 ]; then
  pass "the package holds the $(printf '%s\n' "${installed_files[@]}" | wc -l) installed files"
  echo "PASS: install and package check"
  exit 0
fi
echo "FAIL: install and package check ($failures failure(s))"
exit 1
