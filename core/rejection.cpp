#include "core/rejection.h"

#include "core/numbers.h"
#include "core/selectionrules.h"

#include <cmath>
#include <cstdio>

namespace tarnwick {

namespace {

std::string figure(double value)
{
    return numberText(value);
}

const double kMinPointsFigure = static_cast<double>(rules::kMinPoints);
const double kLowestBestFigure = static_cast<double>(rules::kLowestBestEfficiency);

struct RuleText
{
    std::string_view code;
    std::string name;
};

// The names carry the rules' own figures, so they are made once at first use.
const std::array<RuleText, kRejectionRuleCount>& ruleTexts()
{
    static const std::array<RuleText, kRejectionRuleCount> texts = {{
        {"too_few_points", "测点少于" + figure(kMinPointsFigure) + "个"},
        {"flow_window", "设计流量超出测点流量范围"},
        {"viscosity_out_of_range", "粘度修正超出范围"},
        {"fit_failed", "曲线拟合失败"},
        {"no_operating_point", "没有工作点"},
        {"zero_power", "工作点轴功率为0"},
        {"low_best_efficiency", "最高效率不高于" + figure(kLowestBestFigure) + "%"},
        {"head_low", "扬程过低"},
        {"head_high", "扬程过高"},
        {"flow_low", "流量过低"},
        {"flow_high", "流量过高"},
        {"efficiency_low", "效率过低"},
        {"npsh_insufficient", "汽蚀余量不足"},
        {"outside_preferred_region", "不在优先运行区内"},
    }};
    return texts;
}

std::string fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    // "-0.0" reads as a sign error to a user.
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-')
        text.erase(0, 1);
    return text;
}

} // namespace

std::string_view rejectionRuleCode(RejectionRule rule)
{
    return ruleTexts()[static_cast<std::size_t>(rule)].code;
}

std::string_view rejectionRuleName(RejectionRule rule)
{
    return ruleTexts()[static_cast<std::size_t>(rule)].name;
}

std::string rejectionReason(const RejectedPump& rejected)
{
    if (rejected.unusablePoints)
        return "测点数据不可用，无法拟合曲线";
    const std::optional<double>& f = rejected.figure;
    const bool shown = f && std::isfinite(*f);
    if (!shown)
        return std::string(rejectionRuleName(rejected.rule));
    const double v = *f;
    switch (rejected.rule) {
    case RejectionRule::TooFewPoints:
        return "只有 " + fixed(v, 0) + " 个测点，至少需要 " + figure(kMinPointsFigure) + " 个";
    case RejectionRule::FlowWindow:
        return v > 1.0 ? "设计流量为最大测点流量的 " + fixed(v, 2) + " 倍，超过 " + figure(rules::kMaxFlowMultiple) + " 倍"
                       : "设计流量为最小测点流量的 " + fixed(v, 2) + " 倍，不足 " + figure(rules::kMinFlowMultiple) + " 倍";
    case RejectionRule::LowBestEfficiency:
        return "最高效率 " + fixed(v, 1) + " %，不高于 " + figure(kLowestBestFigure) + " %";
    case RejectionRule::HeadLow:
        return v < 0.0 ? "扬程低于系统阻力 " + fixed(-v, 1) + " %" : std::string("扬程未高出系统阻力");
    case RejectionRule::HeadHigh:
        return "扬程高出 " + fixed(v, 1) + " %";
    case RejectionRule::FlowLow:
        return v < 0.0 ? "流量低于设计流量 " + fixed(-v, 1) + " %" : std::string("流量未高出设计流量");
    case RejectionRule::FlowHigh:
        return "流量高出 " + fixed(v, 1) + " %";
    case RejectionRule::EfficiencyLow:
        return "效率低于最高效率 " + fixed(v, 1) + " 个百分点";
    case RejectionRule::ViscosityOutOfRange:
        return "粘度修正参数 B 为 " + fixed(v, 1) + "，不小于 40";
    case RejectionRule::NpshInsufficient:
        return rejected.limit ? "有效汽蚀余量 " + fixed(v, 2) + " m，需要 " + fixed(*rejected.limit, 2) + " m"
                              : "有效汽蚀余量 " + fixed(v, 2) + " m，不足";
    case RejectionRule::OutsidePreferredRegion:
        return "工作点流量为最高效率点流量的 " + fixed(v, 0) + " %，不在 " +
               fixed(rejected.limit.value_or(70.0), 0) + "～120 % 之内";
    case RejectionRule::FitFailed:
    case RejectionRule::NoOperatingPoint:
    case RejectionRule::ZeroPower:
        break;
    }
    return std::string(rejectionRuleName(rejected.rule));
}

} // namespace tarnwick
