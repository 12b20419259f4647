#include "bench/generatedcatalogue.h"

#include <cmath>
#include <random>
#include <string>

namespace tarnwick::bench {

const std::vector<std::string>& generatedPumpTypes()
{
    static const std::vector<std::string> types = {"IS型单级单吸离心泵", "ISG型立式管道离心泵",
                                                   "S型单级双吸中开离心泵"};
    return types;
}

Catalogue generatedCatalogue(int pumps, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> logFlow(std::log(5.0), std::log(2000.0));
    std::uniform_real_distribution<double> logHead(std::log(5.0), std::log(100.0));
    std::uniform_real_distribution<double> bestEfficiency(0.55, 0.85);
    std::uniform_int_distribution<int> pointCount(3, 8);
    std::uniform_real_distribution<double> shutOff(1.1, 1.35);

    Catalogue catalogue;
    catalogue.pumps.reserve(static_cast<std::size_t>(pumps));
    catalogue.points.reserve(static_cast<std::size_t>(pumps) * 6);
    for (int i = 0; i < pumps; ++i) {
        CataloguePump pump;
        pump.key = i + 1;
        pump.model = "GEN-" + std::to_string(i + 1);
        pump.type = generatedPumpTypes()[static_cast<std::size_t>(i) % generatedPumpTypes().size()];
        pump.speed = (i % 2 == 0) ? 2900.0 : 1450.0;
        const double qBest = std::exp(logFlow(random));
        const double hBest = std::exp(logHead(random));
        const double etaBest = bestEfficiency(random);
        const double h0 = shutOff(random);
        const int n = pointCount(random);
        for (int k = 0; k < n; ++k) {
            const double x = 0.4 + 0.9 * k / (n - 1); // 40 % to 130 % of the best flow
            const double q = qBest * x;
            const double h = hBest * (h0 - (h0 - 1.0) * x * x);
            const double eta = etaBest * (2.0 * x - x * x) + 0.02;
            const double power = q * h / (367.2 * eta);
            catalogue.points.push_back({pump.key, static_cast<float>(q), static_cast<float>(h),
                                        static_cast<float>(power)});
        }
        catalogue.pumps.push_back(std::move(pump));
    }
    return catalogue;
}

} // namespace tarnwick::bench
