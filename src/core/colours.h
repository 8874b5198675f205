#pragma once
#include <cstdint>

// Colours are kept as the program has always written them: 0x00BBGGRR integers,
// red in the low byte. They are turned into toolkit colours at the Qt edge only.
namespace kp {

using Colour = std::uint32_t;

inline constexpr Colour kRed = 255;                 // a Line claimed by Red
inline constexpr Colour kBlue = 16711680;           // a Line claimed by Blue, Blue's turn text
inline constexpr Colour kRedTurnText = 16576;       // turn text while Red is to move
inline constexpr Colour kYellow = 65535;            // the computer's chosen Line, shown first
inline constexpr Colour kGreen = 65280;             // border of a played circle
inline constexpr Colour kBlack = 0;
inline constexpr Colour kBackground = 15790320;     // window background, fill of an open circle
inline constexpr Colour kUnclaimedLine = 12632256;  // a Line nobody has claimed yet
inline constexpr Colour kCircleBorder = 8421504;    // border of a circle not yet played

inline constexpr int kClaimedWidth = 8;
inline constexpr int kUnclaimedWidth = 2;

}  // namespace kp
