#pragma once
// The fixed colours of the calendar panel (not system colours).

#include "platform/types.h"

namespace datewell {

inline constexpr OleColor kColorBlack = 0;
inline constexpr OleColor kColorToday = 192;           // dark red
inline constexpr OleColor kColorMarkFore = 0xFFFFFFu;  // white text of the marked day
inline constexpr OleColor kColorMarkBack = 0x800000u;  // dark blue behind the marked day

}  // namespace datewell
