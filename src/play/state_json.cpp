#include "play/state_json.h"

namespace kp {

nlohmann::json windowStateJson(const GameController& w) {
  using nlohmann::json;
  const StatusLabels& s = w.status();
  json j;
  j["window"] = std::string(windowName(w.kind()));
  j["turn_text"] = s.turnText;
  j["turn_colour"] = s.turnColour;
  j["red_points"] = s.redPoints;
  j["blue_points"] = s.bluePoints;
  j["red_total"] = s.redTotal;
  j["blue_total"] = s.blueTotal;
  j["moves_left"] = s.movesLeft;
  j["last_move"] = s.lastMove;
  j["last_move_caption"] = s.lastMoveCaption;
  j["game_caption"] = s.gameCaption;
  j["your_turn"] = s.yourTurn;
  j["game_over"] = s.gameOver;
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
    lines[std::to_string(n)] = {{"colour", l.colour}, {"width", l.width}, {"visible", l.visible}, {"target", l.targetVisible}};
  }
  j["lines"] = std::move(lines);

  json circles = json::object();
  for (int n = 1; n <= w.circleCount(); ++n) {
    const CircleDraw& c = w.drawing().circles[n];
    circles[std::to_string(n)] = {{"fill", c.fill}, {"border", c.border}, {"visible", c.visible}, {"target", c.targetVisible}};
  }
  j["circles"] = std::move(circles);

  json menus = json::object();
  w.menus().forEach([&](const std::string& path, const MenuEntry& e) {
    menus[path] = {{"checked", e.checked}, {"enabled", e.enabled}, {"visible", e.visible}};
  });
  j["menus"] = std::move(menus);

  json buttons = json::object();
  for (const auto& b : w.buttons()) buttons[b.caption] = {{"enabled", b.enabled}, {"visible", b.visible}};
  j["buttons"] = std::move(buttons);
  return j;
}

}  // namespace kp
