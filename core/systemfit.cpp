#include "core/systemfit.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {
// Of the largest measured head: below it a fitted static head is rounding.
constexpr double kRoundingShare = 1e-9;
} // namespace

Expected<SystemFit, std::string> fitSystemCurve(const std::vector<std::pair<double, double>>& points,
                                                std::optional<double> staticHead)
{
    using Result = Expected<SystemFit, std::string>;
    if (points.size() < kMinMeasuredPoints)
        return Result::failure("实测点至少需要3个（流量:扬程）！请重新输入。");
    for (const auto& [q, h] : points) {
        if (!std::isfinite(q) || !std::isfinite(h) || q < 0.0 || h < 0.0)
            return Result::failure("实测点的流量和扬程应为不小于0的数！请重新输入。");
    }
    // In x = Q^2 the curve is a straight line; its least-squares fit.
    const double n = static_cast<double>(points.size());
    double sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
    for (const auto& [q, h] : points) {
        const double x = q * q;
        sx += x;
        sy += h;
        sxx += x * x;
        sxy += x * h;
    }
    SystemFit fit;
    if (staticHead) {
        if (!(sxx > 0.0))
            return Result::failure("实测点的流量不能都为0！请重新输入。");
        fit.staticHead = *staticHead;
        fit.coefficient = (sxy - *staticHead * sx) / sxx;
    } else {
        const double denominator = n * sxx - sx * sx;
        if (!(denominator > 1e-12 * n * sxx))
            return Result::failure("实测点的流量应各不相同！请重新输入。");
        fit.coefficient = (n * sxy - sx * sy) / denominator;
        fit.staticHead = (sy - fit.coefficient * sx) / n;
    }
    // A closed loop measured exactly gives a static head of 0 give or take
    // the rounding of the sums; that is no negative static head.
    if (!staticHead && fit.staticHead < 0.0) {
        double largest = 0.0;
        for (const auto& point : points)
            largest = std::max(largest, point.second);
        if (fit.staticHead >= -kRoundingShare * largest) {
            fit.staticHead = 0.0;
            fit.coefficient = sxy / sxx;
        }
    }
    if (!(fit.coefficient > 0.0))
        return Result::failure("实测点拟合的管路阻力系数不大于0，扬程应随流量增大！请检查实测点。");
    if (fit.staticHead < 0.0)
        return Result::failure("实测点拟合的静扬程小于0！请检查实测点，或同时输入静扬程。");
    return fit;
}

} // namespace tarnwick
