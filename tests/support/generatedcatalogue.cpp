#include "tests/support/generatedcatalogue.h"

#include <cmath>
#include <random>
#include <string>

namespace tarnwick::testing {

const std::vector<std::string>& generatedPumpTypes()
{
    static const std::vector<std::string> types = {"IS型单级单吸离心泵", "ISG型立式管道离心泵",
                                                   "S型单级双吸中开离心泵"};
    return types;
}

Catalogue generatedCatalogue(int pumps, std::uint32_t seed, int nearShare)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> logFlow(std::log(5.0), std::log(2000.0));
    std::uniform_real_distribution<double> logHead(std::log(5.0), std::log(100.0));
    std::uniform_real_distribution<double> bestEfficiency(0.55, 0.85);
    std::uniform_int_distribution<int> pointCount(3, 8);
    std::uniform_real_distribution<double> shutOff(1.1, 1.35);
    std::uniform_real_distribution<double> overDuty(1.02, 1.08);
    std::uniform_real_distribution<double> bestAround(0.92, 1.08);

    Catalogue catalogue;
    catalogue.pumps.reserve(static_cast<std::size_t>(pumps));
    catalogue.points.reserve(static_cast<std::size_t>(pumps) * 6);
    for (int i = 0; i < pumps; ++i) {
        CataloguePump pump;
        pump.key = i + 1;
        pump.model = "GEN-" + std::to_string(i + 1);
        pump.type = generatedPumpTypes()[static_cast<std::size_t>(i) % generatedPumpTypes().size()];
        pump.speed = (i % 2 == 0) ? 2900.0 : 1450.0;
        const bool nearDuty = nearShare > 0 && i % nearShare == 0;
        // The draws keep their order, so a seed gives the same pumps as ever.
        double qBest = nearDuty ? 0.0 : std::exp(logFlow(random));
        double hBest = nearDuty ? 0.0 : std::exp(logHead(random));
        const double etaBest = bestEfficiency(random);
        const double h0 = shutOff(random);
        const int n = pointCount(random);
        if (nearDuty) {
            const double qOp = 100.0 * overDuty(random);
            const double hOp = 20.0 * (qOp / 100.0) * (qOp / 100.0);
            qBest = qOp * bestAround(random);
            const double x = qOp / qBest;
            hBest = hOp / (h0 - (h0 - 1.0) * x * x);
        }
        for (int k = 0; k < n; ++k) {
            const double x = 0.4 + 0.9 * k / (n - 1); // 40 % to 130 % of the best flow
            const double q = qBest * x;
            const double h = hBest * (h0 - (h0 - 1.0) * x * x);
            const double eta = etaBest * (2.0 * x - x * x) + 0.02;
            const double power = q * h / (367.2 * eta);
            catalogue.points.push_back(
                {pump.key, static_cast<float>(q), static_cast<float>(h), static_cast<float>(power)});
        }
        catalogue.pumps.push_back(std::move(pump));
    }
    return catalogue;
}

} // namespace tarnwick::testing
