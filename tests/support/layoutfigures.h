#pragma once

// Layout figures the tests hold the windows and the report to, in twips,
// written down here once rather than read from the program's own constants,
// so that a wrong constant shows as a failure instead of moving its test along.

namespace tarnwick::testing::layout {

// The result report: section heights, the title's two rules, the detail grid's
// vertical rules (measured from the left page margin) and the text size (9 pt).
namespace report {
inline constexpr int kReportHeaderHeight = 1230;
inline constexpr int kPageHeaderHeight = 570;
inline constexpr int kDetailHeight = 378;
inline constexpr int kPageFooterHeight = 568;
inline constexpr int kTitleRuleTops[] = {661, 690};
inline constexpr int kGridRules[] = {1890, 2930, 3969, 4819, 5669, 7181, 8220, 9259, 10299, 11338};
inline constexpr int kTextSize = 180;
} // namespace report

// The help window: its pages give the outer size (title bar and border
// included); the client area is that less a 2-pixel border on each side and a
// 26-pixel title bar with its border, at 15 twips a pixel.
namespace help {
inline constexpr int kFrameWidth = 2 * 2 * 15;
inline constexpr int kFrameHeight = (26 + 2 + 2) * 15;
} // namespace help

// The report window: the grey desk left around the page at every zoom, in
// pixels.
namespace reportwindow {
inline constexpr int kDeskMargin = 12;
} // namespace reportwindow

} // namespace tarnwick::testing::layout
