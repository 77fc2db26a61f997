#include "app/confidence_region.h"

#include "app/listing.h"

namespace tesmor::app {

void ComputeRegion(const std::vector<model::SpecimenRecord>& records, math::Projection projection,
                   ConfidenceRegion region, std::uint64_t seed, int threads, int mostRecords,
                   RegionStatistics& out)
{
    out = RegionStatistics {};
    out.Region = region;
    if (region == ConfidenceRegion::Hext) {
        out.Hext = math::ComputeHext(records, projection);
    } else if (region == ConfidenceRegion::Bootstrap) {
        out.BootstrapTooLarge = static_cast<int>(records.size()) > mostRecords;
        if (out.BootstrapTooLarge)
            return;
        math::BootstrapOptions options;
        options.Seed = seed;
        options.Threads = threads;
        out.Bootstrap = math::ComputeBootstrap(records, projection, options);
    }
}

std::array<std::span<const math::NetPoint>, 3> RegionCurves(const RegionStatistics& s)
{
    std::array<std::span<const math::NetPoint>, 3> curves;
    const std::array<math::AxisEllipse, 3>* ellipses = nullptr;
    if (s.Region == ConfidenceRegion::Hext && s.Hext.Defined)
        ellipses = &s.Hext.Ellipse;
    if (s.Region == ConfidenceRegion::Bootstrap && s.Bootstrap.Defined)
        ellipses = &s.Bootstrap.Ellipse;
    if (ellipses)
        for (std::size_t i = 0; i < 3; ++i)
            curves[i] = (*ellipses)[i].Curve;
    return curves;
}

std::string RegionSummary(const RegionStatistics& s)
{
    const auto fixed = [](double x, int decimals) { return FormatFixed(x, decimals); };
    if (s.Region == ConfidenceRegion::Hext) {
        const math::HextStatistics& h = s.Hext;
        if (!h.Defined)
            return "Hext: not enough records";
        std::string text = "Hext  N " + std::to_string(h.N) + "  nf " + std::to_string(h.nf)
            + "  sigma " + fixed(h.sigma, 5) + "\n";
        if (h.RatiosDefined)
            text += "F " + fixed(h.F, 2) + " (" + fixed(h.Fcrit, 2) + ")  F12 " + fixed(h.F12, 2)
                + "  F23 " + fixed(h.F23, 2) + " (" + fixed(h.F12crit, 2) + ")\n";
        text += "e12 " + fixed(h.e12, 1) + "  e23 " + fixed(h.e23, 1) + "  e13 " + fixed(h.e13, 1);
        return text;
    }
    if (s.Region == ConfidenceRegion::Bootstrap) {
        if (s.BootstrapTooLarge)
            return "Bootstrap: more than " + std::to_string(WindowBootstrapMostRecords)
                + " records; use the batch tool (stats --bootstrap)";
        const math::BootstrapStatistics& b = s.Bootstrap;
        if (!b.Defined)
            return "Bootstrap: not enough records";
        std::string text = "Bootstrap  N " + std::to_string(b.N) + "  " + std::to_string(b.Count)
            + " samples  seed " + std::to_string(b.Seed);
        for (std::size_t i = 0; i < 3; ++i)
            text += "\nK" + std::to_string(i + 1) + " eta " + fixed(b.Axis[i].eta, 1) + " zeta "
                + fixed(b.Axis[i].zeta, 1);
        return text;
    }
    return {};
}

} // namespace tesmor::app
