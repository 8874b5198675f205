#include "play/state_json.h"

#include <set>

namespace kp {

nlohmann::json windowStateJson(const GameController& w) {
  using nlohmann::json;
  const StatusLabels& s = w.status();
  json j;
  j["window"] = std::string(windowName(w.kind()));
  j["caption"] = w.caption();
  j["turn_text"] = s.turnText;
  j["turn_colour"] = s.turnColour;
  j["red_points"] = s.redPoints;
  j["blue_points"] = s.bluePoints;
  j["red_total"] = s.redTotal;
  j["blue_total"] = s.blueTotal;
  j["moves_left"] = s.movesLeft;
  j["hint"] = s.hint;
  // The Lines a hint outlines on the board.
  std::vector<int> hinted;
  for (int n = 1; n <= w.lineCount(); ++n)
    if (w.drawing().lines[std::size_t(n)].highlighted) hinted.push_back(n);
  j["hint_lines"] = std::move(hinted);
  j["last_move"] = s.lastMove;
  j["last_move_caption"] = s.lastMoveCaption;
  j["game_caption"] = s.gameCaption;
  j["red_tally"] = w.rules().tally(Player::Red);
  j["blue_tally"] = w.rules().tally(Player::Blue);
  j["your_turn"] = s.yourTurn;
  j["game_over"] = s.gameOver;
  j["result"] = s.result;
  j["result_colour"] = s.resultColour;
  j["rounds"] = s.rounds;
  j["move_lock"] = w.moveLock();
  j["timer_caption"] = w.timer().caption();
  j["timer_remaining"] = w.timer().remaining();
  j["timer_running"] = w.timer().running();
  j["timer_limit"] = w.timer().limit();
  j["keypad"] = w.keypadShown();

  json lines = json::object();
  for (int n = 1; n <= w.lineCount(); ++n) {
    const LineDraw& l = w.drawing().lines[n];
    lines[std::to_string(n)] = {{"colour", l.colour},          {"width", l.width},
                                {"visible", l.visible},        {"target", l.targetVisible},
                                {"owner", w.rules().owner(n)}, {"claim_colour", w.rules().claims()[std::size_t(n)].colour}};
  }
  j["lines"] = std::move(lines);

  json circles = json::object();
  for (int n = 1; n <= w.circleCount(); ++n) {
    const CircleDraw& c = w.drawing().circles[n];
    circles[std::to_string(n)] = {
        {"fill", c.fill}, {"border", c.border}, {"visible", c.visible}, {"target", c.targetVisible}};
  }
  j["circles"] = std::move(circles);

  json cells = json::object();
  for (int n = 1; n <= w.circleCount(); ++n) {
    const int owner = w.rules().cellOwner(n);
    cells[std::to_string(n)] = {{"owner", owner == 1 ? kRed : owner == 2 ? kBlue : 0}};
  }
  j["cells"] = std::move(cells);

  BoardReport report;
  w.report(report);
  if (const std::vector<int>& owners = report.cubeOwners; !owners.empty()) {
    json cubes = json::object();
    for (std::size_t n = 1; n < owners.size(); ++n)
      cubes[std::to_string(n)] = {{"owner", owners[n] == 1 ? kRed : owners[n] == 2 ? kBlue : 0}};
    j["cubes"] = std::move(cubes);
  }

  if (w.rules().scoring().tallied())
    j["tally"] = {{"red", w.rules().tally(Player::Red)}, {"blue", w.rules().tally(Player::Blue)}};
  if (const auto& strokes = report.lineStrokes; !strokes.empty()) {
    auto look = [](const StrokeLook& l) {
      return json{{"colour", l.colour}, {"width", l.width}, {"visible", l.visible}, {"dashed", l.dashed}};
    };
    json all = json::object();
    for (std::size_t n = 1; n < strokes.size(); ++n) {
      json line = json::object();
      for (std::size_t p = 0; p < strokes[n].size(); ++p) {
        const LineStrokes& ls = strokes[n][p];
        json base = look(ls.base);
        base.erase("dashed");
        json units = json::array();
        for (const StrokeLook& u : ls.units) units.push_back(look(u));
        line[p == 0 ? "main" : "inverse"] = {{"base", std::move(base)}, {"cube", std::move(units)}, {"marker", ls.marker}};
      }
      all[std::to_string(n)] = std::move(line);
    }
    j["strokes"] = std::move(all);
  }

  // What each drawn place stands for in the view shown.
  j["view"] = w.views().number();
  if (const auto o = report.orientation) j["orientation"] = *o;
  json shownLines = json::object(), shownCircles = json::object();
  for (int p = 1; p <= w.lineCount(); ++p) shownLines[std::to_string(p)] = w.views().current().line(p);
  for (int p = 1; p <= w.circleCount(); ++p) shownCircles[std::to_string(p)] = w.views().current().circle(p);
  j["shown"] = {{"lines", std::move(shownLines)}, {"circles", std::move(shownCircles)}};

  // What a click can reach in the scene: the drawn places of Lines and circles, and the
  // check boxes drawn on the board (by caption).
  // A Line drawn in several strokes is one target.
  std::set<int> linePlaces, circlePlaces;
  json boxes = json::array();
  const Scene scene = w.scene();
  auto offer = [&](Target t) {
    if (t.kind == Target::Kind::Line) linePlaces.insert(t.id);
    if (t.kind == Target::Kind::Circle) circlePlaces.insert(t.id);
  };
  for (const Stroke& s : scene.strokes)
    if (s.visible) offer(s.target);
  for (const Shape& s : scene.shapes)
    if (s.visible) offer(s.target);
  for (const CheckBox& b : scene.checkBoxes)
    if (b.visible && b.enabled) boxes.push_back(b.caption);
  j["targets"] = {{"lines", linePlaces}, {"circles", circlePlaces}, {"checkboxes", std::move(boxes)}};

  json menus = json::object();
  w.menus().forEach([&](const std::string& path, const MenuEntry& e) {
    menus[path] = {{"checked", e.checked}, {"enabled", e.enabled}, {"visible", e.visible}};
  });
  j["menus"] = std::move(menus);

  json record = json::array();
  for (const RecordedMove& m : w.movesPlayed())
    record.push_back({{m.circle ? "circle" : "line", m.id},
                      {"player", playerName(m.player)},
                      {"by", makerWord(m.by)}});
  j["record"] = std::move(record);

  json buttons = json::object(), checkboxes = json::object();
  for (const auto& c : w.controls()) {
    json entry = {{"enabled", c.enabled}, {"visible", c.visible}};
    if (c.checkBox) entry["checked"] = c.checked;
    else entry["default"] = c.isDefault;
    (c.checkBox ? checkboxes : buttons)[w.nameOf(c)] = std::move(entry);
  }
  j["buttons"] = std::move(buttons);
  j["checkboxes"] = std::move(checkboxes);
  return j;
}

}  // namespace kp
