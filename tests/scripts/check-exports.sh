#!/usr/bin/env bash
# Fails unless the plug-in module exports exactly one function or data
# symbol, loadWidget. Linker bookkeeping (_init, _fini, _edata, _end,
# __bss_start), sanitizer runtime hooks and ABI version nodes are ignored.
set -euo pipefail

if [[ $# -ne 1 || ! -f "$1" ]]; then
  echo "usage: $0 <module.so>" >&2
  exit 2
fi

exported=$(nm -D --defined-only "$1" \
  | awk 'NF >= 3 && $2 != "A" { print $3 }' \
  | sed 's/@.*//' \
  | grep -Ev '^(_init|_fini|_edata|_end|__bss_start|_DYNAMIC|_GLOBAL_OFFSET_TABLE_)$' \
  | grep -Ev '^(__asan_|__ubsan_|__sanitizer_|__lsan_|__interceptor_|___interceptor_)' \
  | sort -u || true)

if [[ "$exported" != "loadWidget" ]]; then
  echo "expected loadWidget as the only exported symbol of $1, found:" >&2
  echo "${exported:-<none>}" >&2
  exit 1
fi
echo "ok: $1 exports loadWidget only"
