#pragma once
// The design values of the control's widgets: geometry in twips of each widget's container,
// tab order, and the captions the widgets start with. Pure data and arithmetic, so that the
// layout can be checked without any window.

#include <array>
#include <string_view>

#include "platform/types.h"

namespace datewell {

struct DesignRect {
  float left = 0.0f;
  float top = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  friend bool operator==(const DesignRect&, const DesignRect&) = default;
};

struct DesignLine {
  float x1 = 0.0f;
  float y1 = 0.0f;
  float x2 = 0.0f;
  float y2 = 0.0f;
  friend bool operator==(const DesignLine&, const DesignLine&) = default;
};

// The control's own design size; the host sets the run-time size.
inline constexpr float kDesignWidth = 1815.0f;
inline constexpr float kDesignHeight = 3015.0f;

// Children of the control's surface. cmdDefault sits far off the surface so that it is never
// seen: it only exists to be clicked by Enter.
inline constexpr DesignRect kCmdDefaultDesign{-99800.0f, 2880.0f, 495.0f, 255.0f};
inline constexpr DesignRect kTxtDateDesign{45.0f, 45.0f, 915.0f, 240.0f};
inline constexpr DesignRect kLstSelectMonthDesign{60.0f, 840.0f, 1245.0f, 1395.0f};
inline constexpr DesignRect kPicCalendarDesign{30.0f, 300.0f, 2475.0f, 2475.0f};

// Children of the panel.
inline constexpr DesignRect kCmdGotoTodayDesign{870.0f, 2040.0f, 735.0f, 315.0f};
inline constexpr DesignRect kLblMonthYearDesign{645.0f, 90.0f, 1185.0f, 195.0f};
inline constexpr DesignLine kLine1Design{240.0f, 570.0f, 2220.0f, 570.0f};    // under the headers
inline constexpr DesignLine kLine2Design{240.0f, 1860.0f, 2220.0f, 1860.0f};  // above Today

inline constexpr OleColor kGrey = 0x808080u;

// The day grid: seven columns from Sunday with a pitch of 300 twips from 180; the header row at
// 360; six day rows from 600 with a pitch of 210. A day cell is 225 high plus 15: vertically
// adjacent cells overlap by 15 twips.
inline constexpr int kLabelCount = 49;
inline constexpr int kHeaderCount = 7;
inline constexpr float kGridLeft = 180.0f;
inline constexpr float kColumnPitch = 300.0f;
inline constexpr float kHeaderTop = 360.0f;
inline constexpr float kHeaderWidth = 225.0f;
inline constexpr float kHeaderHeight = 195.0f;
inline constexpr float kDayTop = 600.0f;
inline constexpr float kRowPitch = 210.0f;
inline constexpr float kDayWidth = 285.0f;
inline constexpr float kDayHeight = 225.0f;

// The design rectangle of lblDate(index), index 0 to 48: 0 to 6 the weekday headers, 7 to 48
// the day cells row by row.
constexpr DesignRect DayLabelDesign(int index) {
  if (index < kHeaderCount) {
    return {kGridLeft + kColumnPitch * static_cast<float>(index), kHeaderTop, kHeaderWidth,
            kHeaderHeight};
  }
  const int column = (index - kHeaderCount) % 7;
  const int row = (index - kHeaderCount) / 7;
  return {kGridLeft + kColumnPitch * static_cast<float>(column),
          kDayTop + kRowPitch * static_cast<float>(row), kDayWidth, kDayHeight};
}

// The Today button's caption.
inline constexpr std::string_view kTodayCaption = "Today";

// The weekday header captions, Sunday first.
inline constexpr std::array<std::string_view, 7> kWeekdayHeaders{"S", "M", "T", "W", "T", "F", "S"};

// Until the grid is first filled the day cells show the design sample, the month of the design
// caption (September 1998, whose 1st is a Tuesday), with the neighbouring months' days in grey.
inline constexpr std::string_view kDesignMonthCaption = "September 1998";
struct DesignDay {
  int day = 0;
  bool adjacent = false;  // a day of the month before or after
  friend bool operator==(const DesignDay&, const DesignDay&) = default;
};
constexpr DesignDay DesignSampleDay(int index) {
  constexpr int kFirstColumn = 2;      // Tuesday
  constexpr int kDaysInMonth = 30;     // September
  constexpr int kDaysInPrevious = 31;  // August
  const int n = index - kHeaderCount - kFirstColumn + 1;
  if (n < 1) {
    return {kDaysInPrevious + n, true};
  }
  if (n > kDaysInMonth) {
    return {n - kDaysInMonth, true};
  }
  return {n, false};
}

inline constexpr std::array<std::string_view, 7> kDesignMonthList{
    "December 1997", "January 1998", "February 1998", "March 1998",
    "April 1998",    "May 1998",     "June 1998"};

// Tab order.
inline constexpr int kTabTxtDate = 0;
inline constexpr int kTabPicCalendar = 1;
constexpr int DayLabelTabIndex(int index) {
  return index + 2;
}
inline constexpr int kTabCmdGotoToday = 51;
inline constexpr int kTabLblMonthYear = 52;
inline constexpr int kTabLstSelectMonth = 53;
inline constexpr int kTabCmdDefault = 54;

}  // namespace datewell
