#!/usr/bin/env bash
# Plants realistic faults in the engine, one at a time, and checks that the test suite
# catches each: a fault counts as caught only when a test that passes on the clean tree
# fails (a fault that no longer compiles is an error in this list, not a catch).
#
#   sh scripts/mutate.sh [BUILD_DIR]        (from the repository root; default build-mutate)
#
# For each fault: the file is saved, the fault applied (its old text must occur exactly
# once), the build brought up to date (one file changed, so it stays incremental), and
# CTest run without fuzz.windows; the window fuzzer then runs by itself with 300,000
# events per window (CTest's run has 2,000,000) to keep the run short. The file is always
# restored, also on error or Ctrl-C. Tests that already fail on the clean tree are reported
# and do not count as catches. Exits non-zero if any fault is missed or no longer applies.
# KP_MUTATE_ONLY="3 7" plants only those faults; KP_MUTATE_EVENTS sets the fuzzer's events.
#
# It edits the source tree it runs in: run it in a copy when others work in this one.
set -u
[ -n "${BASH_VERSION:-}" ] || exec bash "$0" "$@"
cd "$(dirname "$0")/.."
BUILD=${1:-build-mutate}
EVENTS=${KP_MUTATE_EVENTS:-300000}
WORK=$(mktemp -d)
SAVED=""   # the file a fault is planted in, while it is
CHILD=""   # the build or test run going on
trap 'restore; rm -rf "$WORK"' EXIT
trap 'stop_child; exit 130' INT TERM

# run COMMAND...: runs it in a process group of its own and waits, so that a signal stops
# the whole of it (ninja and its compilers, ctest and its tests) too.
run() {
  setsid "$@" &
  CHILD=$!
  wait "$CHILD"
  local status=$?
  CHILD=""
  return $status
}
stop_child() {
  [ -n "$CHILD" ] || return 0
  kill -TERM -- "-$CHILD" 2>/dev/null
  wait "$CHILD" 2>/dev/null
}

restore() {
  if [ -n "$SAVED" ]; then
    cp "$WORK/saved" "$SAVED"  # a fresh mtime, so the next build compiles it again
    SAVED=""
  fi
}

FILES=() DESCS=() OLDS=() NEWS=()
fault() { FILES+=("$1"); DESCS+=("$2"); OLDS+=("$3"); NEWS+=("$4"); }

# ---- the faults: file, what a person would call the slip, exact old text, new text ----
fault src/boards/flat/square_board.cpp "Globoria partner: Line 5 left out of the top edge's range" \
  'if (within <= n_) return line + n_ * n_;' \
  'if (within < n_) return line + n_ * n_;'
fault src/boards/flat/square_board.cpp "side table: row of a Cell off by one" \
  $'int SquareBoard::side(int k, int s) const {\n  const int r = (k - 1) / n_ + 1;' \
  $'int SquareBoard::side(int k, int s) const {\n  const int r = k / n_ + 1;'
fault src/core/greedy_choice.cpp "computer: safe-Line rule inverted" \
  'if (!rules.claimed(l) && !risky[std::size_t(l)] && open(l)) candidates.push_back(l);' \
  'if (!rules.claimed(l) && risky[std::size_t(l)] && open(l)) candidates.push_back(l);'
fault src/core/game_controller.cpp "New game leaves the computer's step pending" \
  $'void GameController::newGame() {\n  cancelAllSteps();\n' \
  $'void GameController::newGame() {\n'
fault src/boards/flat/cell_games_window.cpp "square Ribbon Krunk: the turn passes after a gain" \
  'passTurnTo(mover, kRed);' \
  'passTurnTo(other(mover), kRed);'
fault src/core/game_controller.cpp "Tolva: Red opens every game" \
  '  return tolva && !flagIsOne;' \
  '  return tolva;'
fault src/boards/triangular/triangle_board.cpp "triangular Globoria: wrong partner Line in a pair" \
  '{38, 61}' \
  '{38, 62}'
fault src/boards/triangular/triangle_board.cpp "triangular Globoria: wrong Line in an extension row" \
  '/* 17 */ {{14, 63, 39, 90, 30, 81, 82}, {23, 64}}' \
  '/* 17 */ {{14, 63, 39, 90, 30, 81, 82}, {23, 65}}'
fault src/boards/triangular/triangle_board.cpp "triangle side table: entries of an up triangle swapped" \
  'l.sides.push_back({l.lineAt(apex, upRight), l.lineAt(upLeft, upRight), l.lineAt(apex, upLeft)});' \
  'l.sides.push_back({l.lineAt(apex, upLeft), l.lineAt(upLeft, upRight), l.lineAt(apex, upRight)});'
fault src/core/greedy_choice.cpp "computer: safe-Line rule forgets the partner" \
  'risky[std::size_t(l)] = risky[std::size_t(g.partner[l])] = 1;' \
  'risky[std::size_t(l)] = 1;'
fault src/boards/triangular/triangular_window.cpp "triangular: moves left counted after the recount" \
  $'  const auto [count, last] = writeMovesLeft();\n  countedBeforeRecount_ = true;\n  if (count == 1) return krunkLast(last);\n  recount();' \
  $'  recount();\n  const auto [count, last] = writeMovesLeft();\n  countedBeforeRecount_ = true;\n  if (count == 1) return krunkLast(last);'
fault src/boards/triangular/triangular_window.cpp "triangular Krunk: the extension played in Krunk too" \
  'if (variant() > Krunk) extension(t);' \
  'if (variant() >= Krunk) extension(t);'
fault src/boards/triangular/triangular_window.cpp "triangular Duarn scored by the Tolva rule" \
  'rules_.checkwins(variant() == Duarn ? LineRule::Duarn : LineRule::Tolva);' \
  'rules_.checkwins(LineRule::Tolva);'
fault src/core/line_game.cpp "Globoria: the Cell across the join misses its side" \
  $'    claim(partner, lineColour(mover), 1);\n    markSides(partner, marker);' \
  '    claim(partner, lineColour(mover), 1);'
fault src/core/line_game.cpp "a Line closing two Cells scores one point" \
  'addPoints(mover, completed);' \
  'addPoints(mover, 1);'
fault src/core/line_game.cpp "Tolva: the other player moves after a score" \
  'toggle_ = mover == Player::Red ? 1 : 0;' \
  'toggle_ = mover == Player::Red ? 0 : 1;'
fault src/core/line_game.cpp "rounds numbered from 0" \
  'std::to_string(++gamesPlayed_)' \
  'std::to_string(gamesPlayed_++)'
fault src/core/standard_menus.cpp "Sudden Death: limit taken from the entry above" \
  'to.timer.setLimit(kLimits[index - 1].ms);' \
  'to.timer.setLimit(kLimits[index - 2].ms);'
fault src/core/move_timer.cpp "Sudden Death: time up one tick early" \
  'if (remaining_ < 0) {' \
  'if (remaining_ <= 0) {'
fault src/core/colour_choice.cpp "colour choice: the person's best answer taken as the worst" \
  'worstAnswer = std::min(worstAnswer, delta);' \
  'worstAnswer = std::max(worstAnswer, delta);'
fault src/boards/cube/cube_games_window.cpp "cube Super Krunk Plus: the corner square's neighbours wrong" \
  'for (int beside : lattice_.planeNeighbours(s))' \
  'for (int beside : lattice_.planeNeighbours(s == 1 ? 5 : s))'
fault src/boards/cube/cube_games_window.cpp "cube: \"<<\" turns the view back" \
  'turnView(c.id == "view.up" ? 1 : -1);' \
  'turnView(c.id == "view.up" ? -1 : 1);'
fault src/core/line_game.cpp "circle games in space: a Cell painted whole earns another turn" \
  'won += !std::all_of(' \
  'won += 1 || !std::all_of('
fault src/core/move_rules.cpp "Super Hint: Lines of Cells with two claimed counted safe" \
  'return rules.claimed(side); }) < 2;' \
  'return rules.claimed(side); }) < 3;'
fault src/boards/cube/cube_window.cpp "cube: a click region on the wrong Line" \
  '{8},          {7, 72},' \
  '{8},          {7, 73},'
fault src/boards/cube/lattice.h "cube lattice: the Lines along x numbered from the left" \
  '(a_ - 1 - x) * (b_ + 1)' \
  'x * (b_ + 1)'
fault src/boards/triangular/triangle_solid_window.cpp "tetrahedron Super Krunk: the edge's other half left out" \
  'return uv > 0.999 * std::sqrt(uu * vv);' \
  'return uv > 1.001 * std::sqrt(uu * vv);'
fault src/boards/triangular/tetrahedron_window.cpp "tetrahedron: views 2 and 3 swapped" \
  'addView(tetrahedron::view(v, true));' \
  'addView(tetrahedron::view(5 - v, true));'
fault src/boards/triangular/tetrahedron_window.cpp "tetrahedron: a sub-level keeps the other board's game" \
  'if (variant() == (toFull ? easy : full)) chooseVariant(toFull ? full : easy);' \
  'if (variant() == (toFull ? full : easy)) chooseVariant(toFull ? full : easy);'
fault src/boards/fourd/tesseract.cpp "wire frame: a label names the Line the turn takes the other way" \
  'for (int k = 1; k <= kLines; ++k) lines[std::size_t(k)] = turned(k, s);' \
  'for (int k = 1; k <= kLines; ++k) lines[std::size_t(k)] = turned(k, (4 - s % 4) % 4);'
fault src/boards/fourd/tesseract.cpp "tesseract: a Line drawn by the wrong stroke of a cube" \
  '{{{Yellow, 1}, {Red, 3}, {Black, 8}}},' \
  '{{{Yellow, 1}, {Red, 3}, {Black, 9}}},'
fault src/boards/fourd/wireframe_picture.cpp "wire frame: the accurate view hides the near corner in the main view" \
  'for (int k : T::onlyIn(p == Inverse))' \
  'for (int k : T::onlyIn(p == Main))'
fault src/boards/fourd/wireframe_window.cpp "wire frame: a triple score tallied as a double" \
  '.tally = {1000, 4000, 7000, 10000},' \
  '.tally = {1000, 4000, 4000, 10000},'
fault src/boards/fourd/wireframe_window.cpp "wire frame: the 1/2 Level closes the wrong Line" \
  'static const std::vector<int> half = {1, 4, 6, 26}, none;' \
  'static const std::vector<int> half = {1, 4, 6, 27}, none;'
fault src/boards/flat/torus_board.cpp "torus: a turn moves the Lines round the ring the wrong way" \
  'return roundLine(b, round(c + steps, kAround));' \
  'return roundLine(b, round(c - steps, kAround));'
fault src/boards/flat/house_board.cpp "house: Lines of a row numbered right to left" \
  'return std::pair{s.first.second + s.second.second, s.first.first + s.second.first};' \
  'return std::pair{s.first.second + s.second.second, -(s.first.first + s.second.first)};'
fault src/boards/flat/cell_board.cpp "Super Krunk read from the shapes: a side continued back over itself" \
  'if (on.x * back.x + on.y * back.y > 0) return l;' \
  'if (on.x * back.x + on.y * back.y < 0) return l;'
fault src/boards/flat/large_square_window.cpp "large square: the Size menu stays open after the first move" \
  '  setupMenus_.push_back("size");' \
  ''
fault src/core/colour_choice.cpp "colour choice: a move tying the best ruled out" \
  'if (gained + worstAnswer < floor) break;' \
  'if (gained + worstAnswer <= floor) break;'
fault src/core/colour_choice.cpp "colour choice: answers left unweighed one too soon" \
  'if (answerAlone_[r] - raised_[m] >= worstAnswer) break;' \
  'if (answerAlone_[r] - raised_[m] + 1 >= worstAnswer) break;'
fault src/core/expert_position.h "Expert: a capture that opens a further Cell taken at once" \
  'if (isFree(m) && effect(m).opens == 0) return m;' \
  'if (isFree(m)) return m;'
fault src/core/expert_position.h "Expert: the last two Cells of a chain never declined in the search" \
  '            add(declining(m));' \
  ''
fault src/core/expert.cpp "Expert: a best move that did not improve on the first left out" \
  'const bool optimal = exact[i] ? values[i] == best : s.valueOf(moves[i], best - 1, best) >= best;' \
  'const bool optimal = exact[i] && values[i] == best;'
fault src/boards/cube/lattice.cpp "walls: the back view mirrors the wall instead of turning it" \
  'return movedBy([&](Dot3 p) { return Dot3{a_ - p.x, b_ - p.y, p.z}; });' \
  'return movedBy([&](Dot3 p) { return Dot3{p.x, b_ - p.y, p.z}; });'
fault src/boards/cube/lattice.cpp "walls: Super Krunk Plus claims neighbours out of the square's plane" \
  'if (t != s && plane(t) == plane(s) &&' \
  'if (t != s &&'
fault src/core/game_controller.h "Sub-Levels stays open after the first move" \
  '{"options", "other", "sub", "games"}' \
  '{"options", "other", "games"}'

fault src/core/expert_open_game.cpp "Expert: a chain of two Cells taken as one its opponent may decline" \
  'open(chains, i, 2, 3);' \
  'open(chains, i, 2, 2);'
fault src/core/expert_open_game.cpp "Expert: an opened loop declined with two Cells kept back, not four" \
  'open(loops, i, 4, 4);' \
  'open(loops, i, 2, 4);'
fault src/core/expert_open_game.cpp "Expert: the open game's samples credited to one player whoever chose" \
  'n.total += float(chooser_[std::size_t(i)]) * reward;' \
  'n.total += reward;'
fault src/core/expert_open_game.cpp "Expert: a sample's chains and loops credited to the wrong player" \
  '    margin_ += sign_ * v;' \
  '    margin_ -= sign_ * v;'
fault src/core/expert_open_game.cpp "Expert: the open game answered with its least sampled move" \
  'tally[std::size_t(m)].visits > tally[std::size_t(top)].visits' \
  'tally[std::size_t(m)].visits < tally[std::size_t(top)].visits'
fault src/core/expert.cpp "Expert: the 4D board's positions past the safe moves sampled, not analysed" \
  'const bool sampled = !forced && (p.simple() || p.anySafe());' \
  'const bool sampled = !forced;'
fault src/core/expert_nimstring.cpp "Expert: a move handing over a loony chain counted as a move to zero" \
  'if (v != kLoony && v < 64) reached |= std::uint64_t(1) << v;' \
  'if (v < 64) reached |= std::uint64_t(1) << std::max(v, 0);'
fault src/core/expert_nimstring.cpp "Expert: nimstring regions added by or, not by the nim sum" \
  'value ^= regionValue(region);' \
  'value |= regionValue(region);'
fault src/core/expert_nimstring.cpp "Expert: a chain handed over to its end taken as one the taker cannot decline" \
  'if (beyond < 0 || p_.freeSides(beyond) >= 3) return {.loony = true};' \
  'if (beyond < 0 || p_.freeSides(beyond) >= 3) return {.take = first};'

# replace FILE OLD NEW: exactly one occurrence, or fail loudly.
replace() {
  python3 - "$1" "$2" "$3" <<'EOF'
import sys
path, old, new = sys.argv[1:4]
text = open(path, encoding="utf-8").read()
n = text.count(old)
if n != 1:
    sys.exit(f"text found {n} times, not once")
open(path, "w", encoding="utf-8").write(text.replace(old, new))
EOF
}

# run_suite: writes to $WORK/failed the tests that fail and pass on the clean tree, one a
# line; returns 2 if the tree does not build.
run_suite() {
  : >"$WORK/failed"
  run cmake --build "$BUILD" >"$WORK/build.log" 2>&1 || return 2
  rm -f "$BUILD/Testing/Temporary/LastTestsFailed.log"
  run ctest --test-dir "$BUILD" -j2 --timeout 300 -E '^fuzz\.windows$' >"$WORK/ctest.log" 2>&1
  if [ -f "$BUILD/Testing/Temporary/LastTestsFailed.log" ]; then
    cut -d: -f2- "$BUILD/Testing/Temporary/LastTestsFailed.log" | grep -vxF -f "$WORK/baseline" >"$WORK/failed"
  fi
  run timeout 600 "$BUILD/tests/kp_window_fuzzer" --events "$EVENTS" --seed 1 >"$WORK/fuzz.log" 2>&1 ||
    echo "fuzz.windows (at $EVENTS events)" >>"$WORK/failed"
  return 0
}

# The failing tests in short: a parameterised test once, with how many of its cases failed.
summary() {
  sed -e 's/ # GetParam.*//' -e 's#^\(.*/.*\..*\)/.*$#\1/*#' "$WORK/failed" | sort | uniq -c |
    awk '{ n = $1; $1 = ""; sub(/^ /, ""); printf "%s%s%s", (NR > 1 ? ", " : ""), $0, (n > 1 ? " (" n ")" : "") }'
}

[ -f "$BUILD/build.ninja" ] || cmake -S . -B "$BUILD" -G Ninja >/dev/null || exit 2
# A run stopped part-way may have left objects built from a planted fault, and a copy of
# the tree that keeps the files' times (tar, cp -p) would not make the build redo them.
PLANTED="$BUILD/mutate-planted"
if [ -f "$PLANTED" ]; then
  sort -u "$PLANTED" | while read -r f; do [ -f "$f" ] && touch "$f"; done
fi
: >"$WORK/baseline"
echo "Clean tree: building and running the suite..."
run_suite || { cat "$WORK/build.log"; echo "the clean tree does not build"; exit 2; }
if grep -q '^fuzz\.windows' "$WORK/failed"; then cat "$WORK/fuzz.log"; echo "the fuzzer fails on the clean tree"; exit 2; fi
if [ -s "$WORK/failed" ]; then
  cp "$WORK/failed" "$WORK/baseline"
  echo "WARNING: failing on the clean tree, not counted as catches: $(summary)"
fi

missed=0 errors=0 ran=0
RESULTS=()
for i in "${!FILES[@]}"; do
  n=$((i + 1)) file=${FILES[$i]}
  case " ${KP_MUTATE_ONLY:-$n} " in *" $n "*) ;; *) continue ;; esac
  ran=$((ran + 1))
  cp "$file" "$WORK/saved"
  SAVED=$file
  echo "$file" >>"$PLANTED"
  if ! err=$(replace "$file" "${OLDS[$i]}" "${NEWS[$i]}" 2>&1); then
    restore
    echo "fault $n no longer applies: $err ($file)"
    RESULTS+=("$(printf '%2d  %-7s %s' "$n" ERROR "${DESCS[$i]}: no longer applies")")
    errors=$((errors + 1))
    continue
  fi
  start=$(date +%s)
  run_suite
  status=$?
  restore
  secs=$(($(date +%s) - start))
  if [ $status -eq 2 ]; then
    verdict=ERROR why="does not compile: $(grep -m1 'error' "$WORK/build.log")"
    errors=$((errors + 1))
  elif [ -s "$WORK/failed" ]; then
    verdict=caught why="$(wc -l <"$WORK/failed") failing: $(summary)"
  else
    verdict=MISSED why="no test fails"
    missed=$((missed + 1))
  fi
  line=$(printf '%2d  %-7s %s (%s, %ss)\n      %s' "$n" "$verdict" "${DESCS[$i]}" "$file" "$secs" "$why")
  echo "$line"
  RESULTS+=("$line")
done

run cmake --build "$BUILD" >/dev/null 2>&1 && rm -f "$PLANTED"  # the build matches the restored tree again
echo
echo "Fault table ($ran of ${#FILES[@]} faults, fuzzer at $EVENTS events per window):"
printf '%s\n' "${RESULTS[@]}"
echo "caught $((ran - missed - errors)), missed $missed, errors $errors"
[ $missed -eq 0 ] && [ $errors -eq 0 ]
