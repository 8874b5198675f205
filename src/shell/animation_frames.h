#pragma once

namespace kp {

// The launcher's and the about box's animations move one step on every tick of a timer
// that fires as fast as the system timer does, about 60 times a second. Painting every
// step costs a wake-up, a repaint and a flush each; two steps per painted frame keep the
// same speed at half the cost, which a player cannot tell apart for dots this small.
inline constexpr int kAnimationTicksPerFrame = 2;
inline constexpr int kAnimationFrameMs = 16 * kAnimationTicksPerFrame;

}  // namespace kp
