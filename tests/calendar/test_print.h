#pragma once
// Readable failure messages for the plain geometry types.

#include <ostream>

#include "platform/types.h"

namespace datewell {

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const Point& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ")";
}

inline void PrintTo(const CivilDate& c, std::ostream* os) {
  *os << c.year << "-" << c.month << "-" << c.day;
}

}  // namespace datewell
