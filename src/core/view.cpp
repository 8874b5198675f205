#include "core/view.h"

#include <stdexcept>
#include <string>

namespace kp {

namespace {

std::vector<int> inverseOf(const std::vector<int>& table) {
  std::vector<int> inv(table.size(), 0);
  for (std::size_t i = 1; i < table.size(); ++i) inv[std::size_t(table[i])] = int(i);
  return inv;
}

// other[table[i]] for every i: first table, then other.
std::vector<int> compose(const std::vector<int>& table, const std::vector<int>& other) {
  std::vector<int> r(table.size(), 0);
  for (std::size_t i = 1; i < table.size(); ++i) r[i] = other[std::size_t(table[i])];
  return r;
}

}  // namespace

bool View::isPermutation(const std::vector<int>& table) {
  if (table.empty()) return false;
  std::vector<bool> seen(table.size(), false);
  for (std::size_t i = 1; i < table.size(); ++i) {
    const int v = table[i];
    if (v < 1 || std::size_t(v) >= table.size() || seen[std::size_t(v)]) return false;
    seen[std::size_t(v)] = true;
  }
  return true;
}

View::View(std::vector<int> lineAt, std::vector<int> circleAt) {
  if (!isPermutation(lineAt)) throw std::invalid_argument("a view's Line table is not a permutation");
  if (!isPermutation(circleAt)) throw std::invalid_argument("a view's circle table is not a permutation");
  lineAt[0] = circleAt[0] = 0;
  linePlace_ = inverseOf(lineAt);
  circlePlace_ = inverseOf(circleAt);
  lineAt_ = std::move(lineAt);
  circleAt_ = std::move(circleAt);
}

View View::identity(int lines, int circles) {
  std::vector<int> l(std::size_t(lines) + 1), c(std::size_t(circles) + 1);
  for (std::size_t i = 0; i < l.size(); ++i) l[i] = int(i);
  for (std::size_t i = 0; i < c.size(); ++i) c[i] = int(i);
  return View(std::move(l), std::move(c));
}

View View::then(const View& other) const {
  if (lineCount() != other.lineCount() || circleCount() != other.circleCount())
    throw std::invalid_argument("views of different boards do not compose");
  return View(compose(lineAt_, other.lineAt_), compose(circleAt_, other.circleAt_));
}

View View::power(int k) const {
  if (k < 0) throw std::invalid_argument("a view's power must not be negative, got " + std::to_string(k));
  View result = identity(lineCount(), circleCount()), square = *this;
  for (; k > 0; k >>= 1) {
    if (k & 1) result = result.then(square);
    square = square.then(square);
  }
  return result;
}

View View::inverse() const {
  View r;
  r.lineAt_ = linePlace_;
  r.linePlace_ = lineAt_;
  r.circleAt_ = circlePlace_;
  r.circlePlace_ = circleAt_;
  return r;
}

Target View::read(Target clicked) const {
  switch (clicked.kind) {
    case Target::Kind::Line:
      return Target::line(line(clicked.id));
    case Target::Kind::Circle:
      return Target::circle(circle(clicked.id));
    default:
      return clicked;
  }
}

int Views::add(View view) {
  const View& first = views_.front();
  if (view.lineCount() != first.lineCount() || view.circleCount() != first.circleCount())
    throw std::invalid_argument("a view of another board");
  views_.push_back(std::move(view));
  return count();
}

void Views::select(int number) {
  if (number < 1 || number > count()) throw std::out_of_range("no view " + std::to_string(number));
  current_ = number - 1;
}

}  // namespace kp
