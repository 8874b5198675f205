#include "core/game_record.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace kp {

namespace {

#ifndef KP_VERSION
#define KP_VERSION "unknown"
#endif

constexpr std::string_view kMagic = "krunkplexa-record 1";
// A path or a name in a record is a caption line; nothing longer is one.
constexpr std::size_t kLongestLine = 400;

std::string_view trim(std::string_view s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// Splits off the first word of s (s keeps the rest, trimmed).
std::string_view word(std::string_view& s) {
  const auto end = s.find_first_of(" \t");
  const std::string_view w = s.substr(0, end);
  s = end == std::string_view::npos ? std::string_view{} : trim(s.substr(end));
  return w;
}

// Whether s is well-formed UTF-8 without control characters other than tabs.
bool plainText(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7f) return false;
      ++i;
      continue;
    }
    const int more = c >= 0xf0 && c < 0xf5 ? 3 : c >= 0xe0 && c < 0xf0 ? 2 : c >= 0xc2 && c < 0xe0 ? 1 : -1;
    if (more < 0 || i + std::size_t(more) >= s.size()) return false;
    for (int k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(s[i + std::size_t(k)]) & 0xc0) != 0x80) return false;
    i += std::size_t(more) + 1;
  }
  return true;
}

}  // namespace

const char* makerWord(MoveMaker m) {
  switch (m) {
    case MoveMaker::Person: return "person";
    case MoveMaker::Computer: return "computer";
    case MoveMaker::Expert: return "Expert";
  }
  return "person";
}

std::string RecordError::message() const {
  return line > 0 ? "Line " + std::to_string(line) + " of the game record: " + what : what;
}

std::string writeRecord(const GameRecord& r) {
  std::string out;
  out += kMagic;
  out += "\nprogram " KP_VERSION "\nwindow " + r.window + "\n";
  for (const auto& s : r.settings) out += (s.on ? "set " : "unset ") + s.path + "\n";
  out += "game " + r.game + "\nopener " + playerName(r.opener) + "\n";
  if (!r.players.empty()) out += "players " + r.players + "\n";
  for (const RecordedMove& m : r.moves)
    out += std::string("move ") + (m.circle ? "circle " : "line ") + std::to_string(m.id) + " " +
           playerName(m.player) + " " + makerWord(m.by) + "\n";
  return out;
}

std::variant<GameRecord, RecordError> parseRecord(std::string_view text) {
  GameRecord r;
  int lineNo = 0;
  bool magic = false, program = false, window = false, game = false;
  for (std::size_t at = 0; at < text.size() || lineNo == 0;) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view raw = text.substr(at, end - at);
    at = end + 1;
    ++lineNo;
    auto bad = [&](std::string what) { return RecordError{lineNo, std::move(what)}; };
    if (end > kLongestRecord)
      return bad("the record goes on past " + std::to_string(kLongestRecord / 1024) +
                 " KB, longer than any game's record.");
    if (raw.size() > kLongestLine) return bad("the line is too long to be part of a game record.");
    if (!plainText(raw)) return bad("this is not text a game record holds.");
    std::string_view rest = trim(raw);
    if (!magic) {
      if (rest != kMagic) return bad("this file is not a Krunk Plexa game record (it must begin \"" +
                                     std::string(kMagic) + "\").");
      magic = true;
      continue;
    }
    if (rest.empty() || rest.front() == '#') continue;
    const std::string_view key = word(rest);
    if (key == "program") {
      program = true;
    } else if (key == "window") {
      if (window) return bad("the window is named twice.");
      if (rest.empty()) return bad("the window has no name.");
      r.window = rest;
      r.windowLine = lineNo;
      window = true;
    } else if (key == "set" || key == "unset") {
      if (rest.empty()) return bad("a menu entry is missing after \"" + std::string(key) + "\".");
      r.settings.push_back({std::string(rest), key == "set", lineNo});
    } else if (key == "game") {
      if (game) return bad("the game is named twice.");
      if (rest.empty()) return bad("the game has no name.");
      r.game = rest;
      r.gameLine = lineNo;
      game = true;
    } else if (key == "opener") {
      if (rest != "Red" && rest != "Blue") return bad("the opener is Red or Blue, not \"" + std::string(rest) + "\".");
      r.opener = rest == "Red" ? Player::Red : Player::Blue;
    } else if (key == "players") {
      r.players = rest;
    } else if (key == "move") {
      if (!window || !game) return bad("a move comes before the window and the game are named.");
      RecordedMove m;
      m.line = lineNo;
      const std::string_view kind = word(rest), number = word(rest), player = word(rest), by = word(rest);
      if (kind != "line" && kind != "circle") return bad("a move is on a line or a circle, not \"" + std::string(kind) + "\".");
      m.circle = kind == "circle";
      const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), m.id);
      if (ec != std::errc() || ptr != number.data() + number.size() || m.id < 1)
        return bad("\"" + std::string(number) + "\" is not the number of a " + std::string(kind) + ".");
      if (player != "Red" && player != "Blue") return bad("a move is made by Red or Blue, not \"" + std::string(player) + "\".");
      m.player = player == "Red" ? Player::Red : Player::Blue;
      if (by == "person") m.by = MoveMaker::Person;
      else if (by == "computer") m.by = MoveMaker::Computer;
      else if (by == "Expert") m.by = MoveMaker::Expert;
      else return bad("a move is made by a person, the computer or the Expert, not \"" + std::string(by) + "\".");
      if (!rest.empty()) return bad("a move line ends after who made it.");
      r.moves.push_back(m);
    } else {
      return bad("\"" + std::string(key) + "\" is not part of a game record.");
    }
  }
  if (!program || !window || !game)
    return RecordError{lineNo, std::string("the record ends before it names ") +
                                   (!program ? "the program" : !window ? "the window" : "the game") + "."};
  return r;
}

std::variant<GameRecord, RecordError> readRecordFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return RecordError{0, "The file " + path + " cannot be read."};
  std::string text(kLongestRecord + 1, '\0');
  in.read(text.data(), std::streamsize(text.size()));
  text.resize(std::size_t(in.gcount()));
  if (in.bad()) return RecordError{0, "The file " + path + " cannot be read."};
  return parseRecord(text);
}

}  // namespace kp
