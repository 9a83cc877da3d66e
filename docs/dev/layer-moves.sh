#!/usr/bin/env bash
# The layer moves of the house plan (docs/dev/layer-plan.md, section 2), made mechanical:
# git mv of whole files into their layer folder and the rewrite of every #include of a moved
# header in src/, tests/ and bench/. Run in a worktree of hvpp on a branch of its own:
#
#   bash docs/dev/layer-moves.sh .
#
# Re-runnable: a move whose source is gone (already made) or whose target exists is skipped
# and said so; the include rewrite is a fixed mapping and does nothing the second time. The
# splits of headers (section 3) and the CMake files (section 4) are hand edits; the script
# lists them at the end, with the lines that still need them.
set -euo pipefail
tree=${1:?usage: house-moves.sh WORKTREE}
cd "$tree"
git rev-parse --is-inside-work-tree >/dev/null

# old path (under src/) -> new path (under src/)
moves=(
  core/session.h:session/session.h
  core/session.cpp:session/session.cpp
  core/opcontext.h:session/opcontext.h
  core/opcontext.cpp:session/opcontext.cpp
  core/connectioncheck.h:ops/connectioncheck.h
  core/connectioncheck.cpp:ops/connectioncheck.cpp
  chips/selectchip.h:session/selectchip.h
  chips/selectchip.cpp:session/selectchip.cpp
  image/loader.h:session/loader.h
  image/loader.cpp:session/loader.cpp
  fuses/fuseops.h:ops/fuseops.h
  fuses/fuseops.cpp:ops/fuseops.cpp
  scheme/storedsetup.h:session/storedsetup.h
  scheme/storedsetup.cpp:session/storedsetup.cpp
  tools/numberconverter.h:offline/numberconverter.h
  tools/numberconverter.cpp:offline/numberconverter.cpp
)

mkdir -p src/session
sed_script=$(mktemp)
trap 'rm -f "$sed_script"' EXIT
for m in "${moves[@]}"; do
  from=${m%%:*}
  to=${m#*:}
  if [ -e "src/$from" ] && [ ! -e "src/$to" ]; then
    git mv "src/$from" "src/$to"
    echo "moved   $from -> $to"
  elif [ -e "src/$to" ]; then
    echo "skipped $from -> $to (already there)"
  else
    echo "MISSING $from (neither it nor $to exists: renamed by a feature branch?)"
  fi
  # Headers only: the include rewrite. Sources are reached through CMake's globs.
  case $from in
    *.h) printf 's|#include "%s"|#include "%s"|\n' "$from" "$to" >>"$sed_script" ;;
  esac
done

# Every file that can include a moved header.
mapfile -t files < <(git ls-files -- 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' \
                                     'bench/*.h' 'bench/*.cpp')
changed=0
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! sed -f "$sed_script" "$f" | cmp -s - "$f"; then
    sed -i -f "$sed_script" "$f"
    changed=$((changed + 1))
  fi
done
echo "rewrote includes in $changed files"

# Today's CMake lists the core's folders by name: the new session/ joins them, tools/ (now
# empty) leaves. The layer libraries of section 4 replace this list later.
if grep -q '^set(HVPP_CORE_DIRS ' CMakeLists.txt; then
  grep -q '^set(HVPP_CORE_DIRS .*\bsession\b' CMakeLists.txt ||
    sed -i 's/^set(HVPP_CORE_DIRS link chips core /set(HVPP_CORE_DIRS link chips core session /' CMakeLists.txt
  if [ -z "$(ls -A src/tools 2>/dev/null)" ]; then
    sed -i '/^set(HVPP_CORE_DIRS /s/ tools\b//' CMakeLists.txt
  fi
  grep '^set(HVPP_CORE_DIRS ' CMakeLists.txt
fi
# The map of the code names the moved files where it explains the travel of an operation.
sed -i -f "$sed_script" ARCHITECTURE.md 2>/dev/null || true
sed -i 's|(`core/opcontext\.\*`)|(`session/opcontext.*`)|; s|`core/session\.h`|`session/session.h`|' \
  ARCHITECTURE.md 2>/dev/null || true

# The own header of a moved source sits first in its include list; clang-format orders the
# rest. Only the files touched, so that nothing else changes.
if command -v clang-format >/dev/null; then
  git diff --name-only -- src tests bench | grep -E '\.(h|cpp)$' | while read -r f; do
    [ -f "$f" ] && clang-format -i "$f"
  done
fi

# What is left for the hand: every line below must be empty once the splits are made.
echo
echo "Hand edits still open (house-plan.md sections 3 and 4):"
grep -n 'ClearFlash\|ClearEeprom' src/image/images.h 2>/dev/null | sed 's/^/  image\/images.h:/' || true
grep -n 'logImageSummary' src/image/imagesummary.h 2>/dev/null | sed 's/^/  image\/imagesummary.h:/' || true
grep -n 'LoadElfInto' src/image/elfloader.h 2>/dev/null | sed 's/^/  image\/elfloader.h:/' || true
grep -n '^QString hexField\|^QString padText' src/link/link.h 2>/dev/null | sed 's/^/  link\/link.h:/' || true
grep -ln '#include "offline/offlinetexts.h"' src/firmware/*.cpp src/scheme/*.cpp 2>/dev/null \
  | sed 's/^/  sideways texts: /' || true
grep -ln '#include "link/link.h"' src/image/*.cpp 2>/dev/null | sed 's/^/  image\/ -> link\/ (hexField): /' || true
grep -rln '#include "session/' src/core src/link src/chips src/image src/fuses 2>/dev/null \
  | sed 's/^/  upward to session\/: /' || true
[ -f cmake/HvppLayers.cmake ] || echo "  cmake/HvppLayers.cmake and src/CMakeLists.txt (section 4)"
