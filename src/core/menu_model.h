#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kp {

// One entry of a window's menu bar. Captions keep their '&' mnemonics; paths and lookups
// use the caption without them. A heading is a caption line that cannot be chosen.
struct MenuEntry {
  std::string id;
  std::string caption;
  std::string statusTip;  // shown in the window's status bar while the entry is pointed at
  std::string shortcut;   // "F5", "Ctrl+F1"
  bool checkable = false;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  bool separator = false;
  bool heading = false;
  std::vector<MenuEntry> children;
  bool operator==(const MenuEntry&) const = default;
};

std::string stripMnemonic(const std::string& caption);

class MenuModel {
 public:
  std::vector<MenuEntry>& top() { return top_; }
  const std::vector<MenuEntry>& top() const { return top_; }

  MenuEntry& add(MenuEntry entry) { return top_.emplace_back(std::move(entry)); }
  // The entry with this id anywhere in the tree; throws std::out_of_range if absent.
  MenuEntry& at(const std::string& id);
  const MenuEntry& at(const std::string& id) const;
  MenuEntry* find(const std::string& id);
  const MenuEntry* find(const std::string& id) const { return const_cast<MenuModel*>(this)->find(id); }
  // The entry reached by captions without '&' joined by " > ", or nullptr. Where siblings
  // share a caption, the caption names the visible one and "caption [N]" the one whose id
  // ends in ".N".
  const MenuEntry* findPath(const std::string& path) const;
  // Whether a person could click this entry: it and every menu above it are visible and enabled.
  bool reachable(const std::string& path) const;
  // The same, for the entry with this id.
  bool reachableId(const std::string& id) const;
  // Every entry that is not a separator, with its path, in menu order (a caption that
  // siblings share with its index in brackets).
  void forEach(const std::function<void(const std::string& path, const MenuEntry&)>& fn) const;

 private:
  // Where each id stands in the tree (child indices from the top), so the lookups a move
  // makes (the set-up menus it locks) do not walk the whole tree. An entry found at its
  // recorded place is checked by id; a tree changed since is indexed again.
  MenuEntry* follow(const std::vector<std::uint16_t>& place);
  void reindex();

  std::vector<MenuEntry> top_;
  std::unordered_map<std::string, std::vector<std::uint16_t>> index_;
};

}  // namespace kp
