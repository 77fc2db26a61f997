#pragma once

// A small synthetic site in any coordinate system and projection, with its statistics, for the
// picture tests.

#include "bench_data.h"
#include "math/coordinate_systems.h"
#include "math/group_statistics.h"
#include "math/principal_axes.h"
#include "plot/view_options.h"

#include <memory>

namespace tesmor::test {

struct SampleViews
{
    model::Records active;
    math::GroupStatistics statistics;
    plot::ViewData data;
};

inline std::unique_ptr<SampleViews>
MakeSampleViews(int count, math::CoordinateSystem system = math::CoordinateSystem::Geographic,
                math::Projection projection = math::Projection::EqualArea)
{
    bench::SyntheticSite site;
    site.Count = count;
    model::Records working = bench::MakeSyntheticRecords(site);
    math::ComputeRecordDerived(working);
    auto views = std::make_unique<SampleViews>();
    const char lineation = system == math::CoordinateSystem::Tectonic ? 'L' : '0';
    views->active
        = math::TransformDataSet(working, system, 'B', lineation, math::PaleoReference::Horizontal);
    for (std::size_t i = 0; i < views->active.size(); i += 7)
        views->active[i].Selected = true;
    views->statistics = math::ComputeGroupStatistics(views->active, projection);
    views->data.records = views->active;
    views->data.statistics = &views->statistics;
    views->data.options.coordinateSystem = system;
    views->data.options.projection = projection;
    views->data.options.foliationTypes = {'B', 'S'};
    views->data.options.lineationTypes = {'K', 'L'};
    return views;
}

} // namespace tesmor::test
