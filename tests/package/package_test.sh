#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the .deb of this build (or takes PRINTDIALOG_DEB), unpacks it with dpkg-deb -x into a temporary
# root, and runs the program from there: its version, a script on the sample printer, the Japanese
# catalogue and the window. Then lintian, at every level: each tag it keeps is overridden with a reason.
set -euo pipefail
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/sandbox_home.sh
source "$here/../support/sandbox_home.sh"
sandbox_home "$work/sandbox"

deb="${PRINTDIALOG_DEB:-}"
if [ -z "$deb" ]; then
  cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
  deb="$(echo "$work"/out/printdialog_*.deb)"
fi
[ -f "$deb" ] || { echo "no package: $deb"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"

for file in bin/printdialog share/man/man1/printdialog.1.gz share/applications/printdialog.desktop \
            share/printdialog/ppd/zq4410.ppd share/locale/ja/LC_MESSAGES/printdialog.mo \
            share/doc/printdialog/copyright lib/printdialog/ColorOptions.plugin/PDEMain.json \
            lib/printdialog/ColorOptions.plugin/locale/ja/LC_MESSAGES/jp.tessaluma.pde.zq4410.tlco.mo; do
  [ -e "$usr/$file" ] || { echo "the package lacks /usr/$file"; exit 1; }
done
for field in Depends Section Maintainer; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || { echo "no $field field"; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q 'libcups2' || { echo "Depends lacks libcups2"; exit 1; }

cd "$work"
version="$("$usr/bin/printdialog" --version)"
[ "$version" = "printdialog $(dpkg-deb -f "$deb" Version)" ] || { echo "--version says: $version"; exit 1; }
out="$(in_sandbox env LC_ALL=C "$usr/bin/printdialog" --json --script - <<<$'panelName\npanelView\nrestore\nsummary')"
grep -q '{"panelName":"Color Options"}' <<<"$out" || { echo "$out"; exit 1; }
grep -q '"Quick Color":"Standard"' <<<"$out" || { echo "$out"; exit 1; }
out="$(in_sandbox env LC_ALL=C.UTF-8 LANGUAGE=ja "$usr/bin/printdialog" --script - <<<$'panelName')"
grep -q 'カラーオプション' <<<"$out" || { echo "$out"; exit 1; }
out="$(in_sandbox env QT_QPA_PLATFORM=offscreen LC_ALL=C "$usr/bin/printdialog" --gui --script - <<<'panelName' 2>&1)"
grep -q 'Color Options' <<<"$out" || { echo "$out"; exit 1; }
if ! report="$(lintian --display-info --pedantic --fail-on error,warning,info,pedantic "$deb" 2>&1)"; then
  echo "$report"
  echo "lintian: a tag without an override (packaging/lintian-overrides)"
  exit 1
fi
echo ok
