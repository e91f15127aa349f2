#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# cmake --install into a temporary prefix, move the prefix, and run the installed printdialog: it must
# find its bundle, sample PPD and catalogues relative to itself.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/sandbox_home.sh
source "$(dirname "$0")/../support/sandbox_home.sh"
sandbox_home "$work/sandbox"
cmake --install "$build" --prefix "$work/first" >/dev/null
mv "$work/first" "$work/moved"
prefix="$work/moved"
for file in bin/printdialog share/man/man1/printdialog.1.gz share/printdialog/ppd/zq4410.ppd \
            share/locale/ja/LC_MESSAGES/printdialog.mo lib/printdialog/ColorOptions.plugin/PDEMain.json \
            lib/printdialog/printdialog_gui.so; do
  [ -e "$prefix/$file" ] || { echo "missing $file"; exit 1; }
done
# Libraries are found relative to each binary only: an absolute build folder or an empty entry (the
# loader's current directory) would let files outside the program be loaded into it.
for elf in "$build/bin/printdialog" "$build"/bin/*.so "$build"/bin/ColorOptions.plugin/*.so \
           "$prefix/bin/printdialog" "$prefix"/lib/printdialog/*.so "$prefix"/lib/printdialog/ColorOptions.plugin/*.so; do
  runpath="$(readelf -d "$elf" | sed -n 's/.*R\(UN\)\?PATH.*\[\(.*\)\]/\2/p')"
  [ -n "$runpath" ] || continue
  IFS=: read -ra entries <<<"$runpath:"
  for entry in "${entries[@]}"; do
    [[ "$entry" == '$ORIGIN'* ]] || { echo "$elf searches '$entry' (runpath '$runpath')"; exit 1; }
  done
done
cd "$work"
out="$(in_sandbox env LC_ALL=C "$prefix/bin/printdialog" --json --script - <<<$'panelName\npanelView\nrestore\nsummary')"
grep -q '{"panelName":"Color Options"}' <<<"$out" || { echo "$out"; exit 1; }
grep -q '"Quick Color":"Standard"' <<<"$out" || { echo "$out"; exit 1; }
# Qt comes with the window module only; the window still finds it from the moved prefix.
if readelf -d "$prefix/bin/printdialog" | grep -qi 'libQt'; then echo "printdialog links Qt"; exit 1; fi
out="$(in_sandbox env QT_QPA_PLATFORM=offscreen LC_ALL=C "$prefix/bin/printdialog" --gui --script - <<<'panelName' 2>&1)"
grep -q 'Color Options' <<<"$out" || { echo "$out"; exit 1; }
err="$(in_sandbox env LC_ALL=C.UTF-8 LANGUAGE=ja "$prefix/bin/printdialog" -o TLQuickColor=Neon 2>&1 || true)"
grep -q '選択肢 Neon はありません' <<<"$err" || { echo "$err"; exit 1; }
echo ok
