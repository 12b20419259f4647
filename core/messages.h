#pragma once

// The program's own message and caption texts of the calculations. They are
// data of the program: byte for byte as the user sees them.
namespace tarnwick::text {

inline constexpr const char* kAppTitle = "Tarnwick";

inline constexpr const char* kResistanceOutOfRange = "管路阻力应在0～2MPa之间！请重新输入。";
inline constexpr const char* kFlowOutOfRange = "流量应在0～10000m3/h之间！请重新输入。";
inline constexpr const char* kStaticHeadOutOfRange = "静扬程应在0～2MPa之间！请重新输入。";

inline constexpr const char* kChooseModelFromList = "请从列表中选择水泵型号！";
inline constexpr const char* kFlowUnsuitable = "您选择的水泵流量不合适，请重新选择水泵！";
inline constexpr const char* kPressureUnsuitable = "您选择的水泵压力不合适，请重新选择水泵！";
inline constexpr const char* kHeadUnsuitable = "您选择的水泵扬程不合适，请重新选择水泵！";
inline constexpr const char* kEfficiencyTooLow = "您选择的水泵效率太低，请重新选择水泵！";
inline constexpr const char* kNoCurveData = "该水泵没有性能曲线数据，请重新选择水泵！";
inline constexpr const char* kNpshInsufficient = "您选择的水泵汽蚀余量不足，请重新选择水泵！";
inline constexpr const char* kViscosityUnsuitable = "您选择的水泵不适合输送该介质，请重新选择水泵！";

inline constexpr const char* kNoPumpFound = "没有找到满足你需要的风机！";

// The check's note on an operating point beyond the measured curve: part 1,
// the operating flow, part 2, the lowest measured flow, "～", the highest,
// part 3.
inline constexpr const char* kOperatingFlowOutsideMeasured1 = "注意：工作点流量 ";
inline constexpr const char* kOperatingFlowOutsideMeasured2 = " m3/h 超出该水泵的实测流量范围（";
inline constexpr const char* kOperatingFlowOutsideMeasured3 = " m3/h），该处性能为曲线外推值。";

inline constexpr const char* kMethodDesign = "设计";
inline constexpr const char* kMethodCheck = "校核";

} // namespace tarnwick::text
