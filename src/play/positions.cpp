#include "play/positions.h"

#include <algorithm>
#include <chrono>
#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "core/expert.h"
#include "play/match.h"

namespace kp {

namespace {

[[noreturn]] void fail(int lineNo, const std::string& what) {
  throw std::runtime_error("line " + std::to_string(lineNo) + ": " + what);
}

std::vector<int> readNumbers(std::istringstream& in, int lineNo, const std::string& key) {
  std::vector<int> numbers;
  std::string word;
  while (in >> word) {
    std::size_t used = 0;
    int n = 0;
    try {
      n = std::stoi(word, &used);
    } catch (...) {
      used = 0;
    }
    if (used != word.size() || (key != "value" && n < 1))
      fail(lineNo, key + " takes whole numbers, not '" + word + "'");
    numbers.push_back(n);
  }
  return numbers;
}

// Checks a position once its block has been read.
void finish(const TolvaPosition& p, const std::map<std::string, int>& seen) {
  for (const char* key : {"board", "level", "mover", "claimed"})
    if (!seen.count(key)) fail(p.lineNo, "position " + p.name + " has no " + key);
  if (seen.count("value") != seen.count("best")) fail(p.lineNo, "position " + p.name + " needs both value and best");
}

// Each board a file names, opened once.
using Boards = std::map<std::pair<std::string, int>, BoardGraph>;
const BoardGraph& graphOf(Boards& boards, const TolvaPosition& p) {
  auto [it, fresh] = boards.try_emplace({p.board, p.subLevel});
  if (fresh) it->second = tolvaBoard(p.board, p.subLevel).graph;
  return it->second;
}

}  // namespace

std::vector<TolvaPosition> readPositions(std::istream& in) {
  std::vector<TolvaPosition> out;
  std::map<std::string, int> seen;  // the keys of the position being read
  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    std::istringstream words(raw.substr(0, raw.find('#')));
    std::string key, word;
    if (!(words >> key)) continue;
    if (key == "position") {
      if (!out.empty()) finish(out.back(), seen);
      seen.clear();
      out.push_back({.lineNo = lineNo});
      if (!(words >> out.back().name)) fail(lineNo, "position needs a name");
      continue;
    }
    if (out.empty()) fail(lineNo, "'" + key + "' before the first position");
    if (seen[key]++) fail(lineNo, key + " given twice");
    TolvaPosition& p = out.back();
    if (key == "board" || key == "level" || key == "mover") {
      if (!(words >> word) || (words >> raw)) fail(lineNo, key + " takes one word");
      if (key == "board")
        p.board = word;
      else if (key == "level" && (word == "planor" || word == "globoria"))
        p.subLevel = word == "globoria";
      else if (key == "mover" && (word == "red" || word == "blue"))
        p.mover = word == "red" ? Player::Red : Player::Blue;
      else
        fail(lineNo, "unknown " + key + " '" + word + "'");
    } else if (key == "claimed" || key == "best") {
      (key == "claimed" ? p.claimed : p.best) = readNumbers(words, lineNo, key);
    } else if (key == "value") {
      const std::vector<int> v = readNumbers(words, lineNo, key);
      if (v.size() != 1) fail(lineNo, "value takes one number");
      p.value = v[0];
    } else {
      fail(lineNo, "unknown key '" + key + "'");
    }
  }
  if (!out.empty()) finish(out.back(), seen);
  return out;
}

std::vector<char> positionFlags(const TolvaPosition& position, const BoardGraph& graph) {
  std::vector<char> flags(std::size_t(graph.lineCount) + 1, 0);
  for (int l : position.claimed) {
    if (l > graph.lineCount) throw std::invalid_argument("Line " + std::to_string(l) + " is not on the board");
    flags[std::size_t(l)] = 1;
  }
  for (int l = 1; l <= graph.lineCount; ++l)
    if (graph.partner[l] && flags[std::size_t(l)] != flags[std::size_t(graph.partner[l])])
      throw std::invalid_argument("Line " + std::to_string(l) + " is claimed without its joined partner");
  return flags;
}

int freeMoves(const BoardGraph& graph, const std::vector<char>& claimed) {
  int n = 0;
  for (int l = 1; l <= graph.lineCount; ++l)
    n += !claimed[std::size_t(l)] && (!graph.partner[l] || l < graph.partner[l]);
  return n;
}

void fillAnswers(std::istream& in, std::ostream& out, const PositionSolver& solve) {
  std::stringstream text;
  text << in.rdbuf();
  const std::vector<TolvaPosition> positions = readPositions(text);
  text.clear();
  text.seekg(0);
  Boards boards;
  std::size_t begun = 0;
  for (std::string line; std::getline(text, line);) {
    std::string key;
    std::istringstream(line.substr(0, line.find('#'))) >> key;
    if (key == "value" || key == "best") continue;
    out << line << '\n';
    begun += key == "position";
    if (key != "claimed") continue;
    const TolvaPosition& p = positions.at(begun - 1);
    const BoardGraph& graph = graphOf(boards, p);
    const auto [value, best] = solve(graph, positionFlags(p, graph));
    out << "value " << value << "\nbest";
    for (int l : best) out << ' ' << l;
    out << '\n';
  }
}

int checkPositions(const std::vector<TolvaPosition>& positions, std::ostream& out) {
  Boards boards;
  std::vector<std::string> failed;
  for (const TolvaPosition& p : positions) {
    const BoardGraph& graph = graphOf(boards, p);
    const std::vector<char> flags = positionFlags(p, graph);
    const auto start = std::chrono::steady_clock::now();
    const ExpertAnalysis a = analyseTolva(graph, flags);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const bool ok = p.value && a.exact && a.value == *p.value && a.best == p.best;
    if (!ok) failed.push_back(p.name);
    nlohmann::json line = {
        {"position", p.name}, {"ok", ok}, {"value", a.value},        {"best", a.best},
        {"exact", a.exact},   {"ms", ms}, {"expected_best", p.best}, {"free_moves", freeMoves(graph, flags)}};
    line["expected_value"] = p.value ? nlohmann::json(*p.value) : nlohmann::json(nullptr);
    out << line.dump() << '\n';
  }
  out << nlohmann::json{{"positions", positions.size()},
                        {"passed", positions.size() - failed.size()},
                        {"failed", failed}}
             .dump()
      << '\n';
  return int(failed.size());
}

}  // namespace kp
