#pragma once
#include <vector>

#include "core/scene.h"

namespace kp {

// Which Line and which circle each drawn place stands for while a board is seen turned
// (the cube's quarter turns, the tetrahedron's third turns, the tesseract's R^s). Places,
// Lines and circles are numbered from 1; index 0 of every table is unused. A view only
// moves where things are drawn: it never changes a claim.
class View {
 public:
  View() = default;
  // [place] -> Line and [place] -> circle; throws std::invalid_argument unless each table
  // is a permutation.
  View(std::vector<int> lineAt, std::vector<int> circleAt);
  static View identity(int lines, int circles);
  // Whether entries 1..n of the table hold each of 1..n once (entry 0 is not looked at).
  static bool isPermutation(const std::vector<int>& table);

  int lineCount() const { return int(lineAt_.size()) - 1; }
  int circleCount() const { return int(circleAt_.size()) - 1; }
  int line(int place) const { return lineAt_.at(std::size_t(place)); }
  int place(int line) const { return linePlace_.at(std::size_t(line)); }
  int circle(int place) const { return circleAt_.at(std::size_t(place)); }
  int circlePlace(int circle) const { return circlePlace_.at(std::size_t(circle)); }

  // This view's tables first, then other's: then(other).line(p) == other.line(line(p)).
  // Throws std::invalid_argument when the sizes differ.
  View then(const View& other) const;
  // This view k times over (k >= 0; the identity for 0).
  View power(int k) const;
  View inverse() const;

  // A click on a drawn place read as the Line or circle standing there; check boxes and
  // misses pass unchanged.
  Target read(Target clicked) const;

  bool operator==(const View& other) const { return lineAt_ == other.lineAt_ && circleAt_ == other.circleAt_; }

 private:
  std::vector<int> lineAt_{0}, linePlace_{0}, circleAt_{0}, circlePlace_{0};
};

// The views a window can show, numbered from 1 (view 1 is the identity), and the one shown.
class Views {
 public:
  Views(int lines, int circles) : views_{View::identity(lines, circles)} {}
  // Adds a view of the same sizes and returns its number.
  int add(View view);

  int count() const { return int(views_.size()); }
  int number() const { return current_ + 1; }
  const View& current() const { return views_[std::size_t(current_)]; }
  const View& at(int number) const { return views_.at(std::size_t(number - 1)); }

  void select(int number);
  // Round and round: after the last comes view 1 again.
  void next() { current_ = (current_ + 1) % count(); }
  void previous() { current_ = (current_ + count() - 1) % count(); }

 private:
  std::vector<View> views_;
  int current_ = 0;
};

}  // namespace kp
