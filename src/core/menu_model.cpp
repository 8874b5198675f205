#include "core/menu_model.h"

#include <stdexcept>

namespace kp {

std::string stripMnemonic(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return out;
}

namespace {

MenuEntry* findIn(std::vector<MenuEntry>& entries, const std::string& id) {
  for (auto& e : entries) {
    if (e.id == id) return &e;
    if (auto* found = findIn(e.children, id)) return found;
  }
  return nullptr;
}

// The index after the last '.' of an entry's id ("games.8" -> "8").
std::string idIndex(const MenuEntry& e) { return e.id.substr(e.id.rfind('.') + 1); }

// How a path names an entry among its siblings: its caption, with its index in brackets
// where another sibling shares the caption ("Krunk  (Classic) [8]").
std::string pathName(const std::vector<MenuEntry>& siblings, const MenuEntry& e) {
  const std::string caption = stripMnemonic(e.caption);
  for (const auto& other : siblings)
    if (&other != &e && !other.separator && stripMnemonic(other.caption) == caption)
      return caption + " [" + idIndex(e) + "]";
  return caption;
}

void walk(const std::vector<MenuEntry>& entries, const std::string& prefix,
          const std::function<void(const std::string&, const MenuEntry&)>& fn) {
  for (const auto& e : entries) {
    if (e.separator) continue;
    const std::string name = pathName(entries, e);
    const std::string path = prefix.empty() ? name : prefix + " > " + name;
    fn(path, e);
    walk(e.children, path, fn);
  }
}

// The entry a part of a path names among entries: by caption, the visible one where
// several share it, or by caption and index in brackets.
const MenuEntry* pick(const std::vector<MenuEntry>& entries, const std::string& part) {
  const MenuEntry* hit = nullptr;
  for (const auto& e : entries) {
    if (e.separator) continue;
    const std::string caption = stripMnemonic(e.caption);
    if (part == caption + " [" + idIndex(e) + "]") return &e;
    if (part == caption && (!hit || (!hit->visible && e.visible))) hit = &e;
  }
  return hit;
}

// Follows a path; collects every entry on the way so reachability can be judged.
std::vector<const MenuEntry*> chain(const std::vector<MenuEntry>& top, const std::string& path) {
  std::vector<const MenuEntry*> out;
  const std::vector<MenuEntry>* level = &top;
  std::size_t start = 0;
  while (true) {
    const std::size_t sep = path.find(" > ", start);
    const std::string part = path.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
    const MenuEntry* hit = pick(*level, part);
    if (!hit) return {};
    out.push_back(hit);
    if (sep == std::string::npos) return out;
    level = &hit->children;
    start = sep + 3;
  }
}

}  // namespace

MenuEntry* MenuModel::follow(const std::vector<std::uint16_t>& place) {
  std::vector<MenuEntry>* level = &top_;
  MenuEntry* e = nullptr;
  for (std::uint16_t i : place) {
    if (i >= level->size()) return nullptr;
    e = &(*level)[i];
    level = &e->children;
  }
  return e;
}

void MenuModel::reindex() {
  index_.clear();
  std::vector<std::uint16_t> place;
  std::function<void(std::vector<MenuEntry>&)> visit = [&](std::vector<MenuEntry>& entries) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      place.push_back(std::uint16_t(i));
      if (!entries[i].id.empty()) index_.try_emplace(entries[i].id, place);  // the first in menu order, as findIn
      visit(entries[i].children);
      place.pop_back();
    }
  };
  visit(top_);
}

MenuEntry* MenuModel::find(const std::string& id) {
  if (auto it = index_.find(id); it != index_.end())
    if (MenuEntry* e = follow(it->second); e && e->id == id) return e;
  // Not where the index says, or not in it: the tree may have changed since.
  MenuEntry* e = findIn(top_, id);
  if (e) reindex();
  return e;
}

MenuEntry& MenuModel::at(const std::string& id) {
  if (auto* e = find(id)) return *e;
  throw std::out_of_range("no menu entry " + id);
}

const MenuEntry& MenuModel::at(const std::string& id) const { return const_cast<MenuModel*>(this)->at(id); }

const MenuEntry* MenuModel::findPath(const std::string& path) const {
  auto c = chain(top_, path);
  return c.empty() ? nullptr : c.back();
}

bool MenuModel::reachable(const std::string& path) const {
  auto c = chain(top_, path);
  if (c.empty()) return false;
  for (const auto* e : c)
    if (!e->visible || !e->enabled || e->heading) return false;
  return true;
}

bool MenuModel::reachableId(const std::string& id) const {
  // Walks down with what every menu above allows, so entries sharing a caption are told apart.
  std::function<int(const std::vector<MenuEntry>&, bool)> find = [&](const std::vector<MenuEntry>& entries, bool open) {
    for (const auto& e : entries) {
      if (e.separator) continue;
      const bool here = open && e.visible && e.enabled && !e.heading;
      if (e.id == id) return here ? 1 : 0;
      if (const int found = find(e.children, here); found >= 0) return found;
    }
    return -1;
  };
  return find(top_, true) == 1;
}

void MenuModel::forEach(const std::function<void(const std::string&, const MenuEntry&)>& fn) const {
  walk(top_, "", fn);
}

}  // namespace kp
