#include "boards/cube/lattice.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kp::cube {

namespace {

Dot3 operator+(Dot3 p, Dot3 q) { return {p.x + q.x, p.y + q.y, p.z + q.z}; }

constexpr Dot3 kAlongX{1, 0, 0}, kAlongY{0, 1, 0}, kDown{0, 0, 1};

int checkedSize(int n) {
  if (n < 1) throw std::invalid_argument("a cube lattice needs sizes of at least 1, got " + std::to_string(n));
  return n;
}

}  // namespace

Lattice::Lattice(int a, int b, int c)
    : a_(checkedSize(a)),
      b_(checkedSize(b)),
      c_(checkedSize(c)),
      perLayer_((a + 1) * b + a * (b + 1)),
      firstFront_((c + 1) * a * b),
      firstSide_(firstFront_ + (b + 1) * a * c) {
  ends_.resize(std::size_t((c + 1) * perLayer_ + c * (a + 1) * (b + 1)) + 1);
  for (int z = 0; z <= c; ++z)
    for (int x = 0; x <= a; ++x)
      for (int y = 0; y <= b; ++y) {
        const Dot3 p{x, y, z};
        if (y < b) ends_[yLine(x, y, z)] = {p, p + kAlongY};
        if (x < a) ends_[xLine(x, y, z)] = {p, p + kAlongX};
        if (z < c) ends_[upLine(x, y, z)] = {p, p + kDown};
      }

  // Each square from its lowest corner p and the two directions it spans.
  corners_.resize(std::size_t(firstSide_ + (a + 1) * b * c) + 1);
  for (int z = 0; z <= c; ++z)
    for (int x = 0; x <= a; ++x)
      for (int y = 0; y <= b; ++y) {
        const Dot3 p{x, y, z};
        auto put = [&](int square, Dot3 u, Dot3 v) { corners_[square] = {p, p + u, p + u + v, p + v}; };
        if (x < a && y < b) put(flatSquare(x, y, z), kAlongX, kAlongY);
        if (x < a && z < c) put(frontSquare(x, y, z), kAlongX, kDown);
        if (y < b && z < c) put(sideSquare(x, y, z), kAlongY, kDown);
      }
  squares_.resize(corners_.size());
  for (int s = 1; s <= squareCount(); ++s) {
    const auto& k = corners_[s];
    for (int i = 0; i < 4; ++i) squares_[s].push_back(lineBetween(k[i], k[(i + 1) % 4]));
    std::sort(squares_[s].begin(), squares_[s].end());
    std::array<int, 4> key{dotKey(k[0]), dotKey(k[1]), dotKey(k[2]), dotKey(k[3])};
    std::sort(key.begin(), key.end());
    squareByCorners_[key] = s;
  }

  cubeLines_.resize(std::size_t(a * b * c) + 1);
  cubeSquares_.resize(cubeLines_.size());
  std::vector<int> cubesOfSquare(corners_.size(), 0);
  for (int z = 0; z < c; ++z)
    for (int x = 0; x < a; ++x)
      for (int y = 0; y < b; ++y) {
        const int cube = flatSquare(x, y, z);  // numbered as the flat squares of its top layer
        auto& lines = cubeLines_[cube];
        for (int layer : {z, z + 1}) {
          lines.insert(lines.end(),
                       {yLine(x, y, layer), xLine(x, y + 1, layer), yLine(x + 1, y, layer), xLine(x, y, layer)});
          if (layer == z)
            lines.insert(lines.end(),
                         {upLine(x, y, z), upLine(x, y + 1, z), upLine(x + 1, y, z), upLine(x + 1, y + 1, z)});
        }
        auto& faces = cubeSquares_[cube];
        faces = {flatSquare(x, y, z),      flatSquare(x, y, z + 1), frontSquare(x, y, z),
                 frontSquare(x, y + 1, z), sideSquare(x, y, z),     sideSquare(x + 1, y, z)};
        std::sort(faces.begin(), faces.end());
        for (int s : faces) ++cubesOfSquare[s];
      }
  // In-plane neighbours: squares with one coordinate the same at every corner, and the
  // same value there, sharing a Line.
  auto plane = [&](int s) {
    const auto& k = corners_[std::size_t(s)];
    if (k[0].x == k[2].x) return std::array<int, 2>{0, k[0].x};
    if (k[0].y == k[2].y) return std::array<int, 2>{1, k[0].y};
    return std::array<int, 2>{2, k[0].z};
  };
  planeNeighbours_.resize(corners_.size());
  for (int s = 1; s <= squareCount(); ++s)
    for (int t = 1; t <= squareCount(); ++t) {
      const auto &own = squares_[std::size_t(s)], &sides = squares_[std::size_t(t)];
      if (t != s && plane(t) == plane(s) &&
          std::any_of(sides.begin(), sides.end(), [&](int l) { return std::count(own.begin(), own.end(), l) > 0; }))
        planeNeighbours_[std::size_t(s)].push_back(t);
    }
  // The outside of the box is exactly the squares of one cube only.
  for (int s = 1; s <= squareCount(); ++s)
    if (cubesOfSquare[s] == 2) innerSquares_.push_back(s);

  for (int y : {0, b})
    for (int x : {0, a})
      for (int z : {0, c}) {
        // The unit cube at this corner of the box, by its lowest corner.
        const int cx = std::min(x, a - 1), cy = std::min(y, b - 1), cz = std::min(z, c - 1);
        std::array<int, 3> triple{flatSquare(cx, cy, z), frontSquare(cx, y, cz), sideSquare(x, cy, cz)};
        std::sort(triple.begin(), triple.end());
        cornerTriples_.push_back(triple);
      }
}

bool Lattice::onLattice(Dot3 p) const {
  return p.x >= 0 && p.x <= a_ && p.y >= 0 && p.y <= b_ && p.z >= 0 && p.z <= c_;
}

int Lattice::lineBetween(Dot3 p, Dot3 q) const {
  if (!onLattice(p) || !onLattice(q)) return 0;
  if (std::abs(q.x - p.x) + std::abs(q.y - p.y) + std::abs(q.z - p.z) != 1) return 0;
  const Dot3 low{std::min(p.x, q.x), std::min(p.y, q.y), std::min(p.z, q.z)};
  if (p.x != q.x) return xLine(low.x, low.y, low.z);
  if (p.y != q.y) return yLine(low.x, low.y, low.z);
  return upLine(low.x, low.y, low.z);
}

int Lattice::squareOf(const std::array<Dot3, 4>& corners) const {
  std::array<int, 4> key{};
  for (int i = 0; i < 4; ++i) {
    if (!onLattice(corners[i])) return 0;
    key[i] = dotKey(corners[i]);
  }
  std::sort(key.begin(), key.end());
  const auto it = squareByCorners_.find(key);
  return it == squareByCorners_.end() ? 0 : it->second;
}

template <class Move>
View Lattice::movedBy(Move move) const {
  std::vector<int> lineAt(std::size_t(lineCount()) + 1), circleAt(std::size_t(squareCount()) + 1);
  for (int l = 1; l <= lineCount(); ++l) lineAt[lineBetween(move(from(l)), move(to(l)))] = l;
  for (int s = 1; s <= squareCount(); ++s) {
    std::array<Dot3, 4> k = corners_[s];
    for (Dot3& p : k) p = move(p);
    circleAt[squareOf(k)] = s;
  }
  return View(std::move(lineAt), std::move(circleAt));
}

View Lattice::quarterTurns(int turns) const {
  if (a_ != b_) throw std::logic_error("only a lattice with a square base turns by quarters");
  if (turns < 0 || turns > 3) throw std::invalid_argument("quarter turns run 0..3, got " + std::to_string(turns));
  return movedBy([&](Dot3 p) {
    for (int i = 0; i < turns; ++i) p = {p.y, a_ - p.x, p.z};
    return p;
  });
}

View Lattice::halfTurn() const {
  return movedBy([&](Dot3 p) { return Dot3{a_ - p.x, b_ - p.y, p.z}; });
}

}  // namespace kp::cube
