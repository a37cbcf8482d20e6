#!/usr/bin/env bash
# Installs the npm packages that the web page's tests and benchmark use, exactly as
# package-lock.json pins them, when node_modules does not hold them already. npm itself comes from
# Debian where the machine has none.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
command -v npm >/dev/null || "$here/setup-deps.sh" "$here/web/npm-package.txt"
# A copy of the lock file that node_modules was installed from says what it holds.
if ! cmp --quiet package-lock.json node_modules/.installed-from-lock; then
    npm ci --no-audit --no-fund --loglevel=error
    cp package-lock.json node_modules/.installed-from-lock
fi
