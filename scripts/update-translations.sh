#!/usr/bin/env bash
# Collects the texts of src/ into translations/*.ts with lupdate (Debian: qt6-l10n-tools).
# New texts come in as unfinished; translate them (Qt Linguist or any editor) and commit.
# The texts headers give their namespaces tr() with HVPP_TEXTS, which lupdate must read as
# Q_DECLARE_TR_FUNCTIONS.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
"$LUPDATE" -silent -no-obsolete -locations none -tr-function-alias Q_DECLARE_TR_FUNCTIONS+=HVPP_TEXTS \
  -extensions cpp,h src -ts translations/hvpp_en.ts "$@"
