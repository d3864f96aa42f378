#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that the installed programs find their data
# there: the shipped configuration seeds a new configuration folder and the sample loads.
set -euo pipefail
build="$1"
sample="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/quadrel bin/quadrel-cli "share/quadrel/Config File/Config.xml" \
         "share/quadrel/Config File/template/TestReport02.docx" \
         "share/quadrel/Config File/ColorSetting.ini" share/quadrel/limits/QX6518.toml \
         share/applications/quadrel.desktop \
         share/icons/hicolor/scalable/apps/quadrel.svg; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
grep -q '^Exec=quadrel' "$prefix/share/applications/quadrel.desktop"

# The installed program takes its defaults from the prefix, not from the source tree.
config="$prefix/config"
"$prefix/bin/quadrel-cli" --config-dir "$config" load "$sample" >/dev/null
cmp "$config/Config.xml" "$prefix/share/quadrel/Config File/Config.xml"
echo "install ok"
