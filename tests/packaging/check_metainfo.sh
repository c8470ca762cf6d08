#!/usr/bin/env bash
# Validates the AppStream metainfo file offline: no error or warning may remain. The one info left is
# that the validator does not know the reserved top-level domain of the id, example.brevano.
# Usage: check_metainfo.sh METAINFO_FILE
set -uo pipefail
if ! command -v appstreamcli >/dev/null; then
  echo "SKIP: appstreamcli (Debian package appstream) is not installed"
  exit 77
fi
out=$(appstreamcli validate --no-net --explain "$1" 2>&1)
status=$?
echo "$out"
if ((status != 0)); then echo "FAIL: appstreamcli validate exited with $status"; exit 1; fi
if grep '^[EWI]: ' <<<"$out" | grep -qv '^I: .* cid-maybe-not-rdns '; then echo "FAIL: findings above"; exit 1; fi
echo "ok"
