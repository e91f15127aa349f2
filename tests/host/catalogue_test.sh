#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Every text the host passes through tr or trf has a Japanese translation, so a person under
# LANGUAGE=ja never meets an English message. The --help text stays English, as lp's does.
set -euo pipefail
source_dir="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$source_dir"
find host -name '*.cpp' ! -name HelpText.cpp | sort |
  xargs xgettext --from-code=UTF-8 -L C++ --keyword=tr --keyword=trf -o "$work/host.pot"
msgmerge --quiet --no-wrap host/po/ja.po "$work/host.pot" -o "$work/merged.po"
missing=$(msgattrib --no-wrap --no-obsolete --untranslated "$work/merged.po" | grep '^msgid "..*"' || true)
fuzzy=$(msgattrib --no-wrap --no-obsolete --only-fuzzy "$work/merged.po" | grep '^msgid "..*"' || true)
if [ -n "$missing$fuzzy" ]; then
  echo "texts without a Japanese translation in host/po/ja.po:"
  printf '%s\n' "$missing" "$fuzzy" | grep . 
  exit 1
fi
