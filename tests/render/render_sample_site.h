#pragma once

// A small synthetic site in geographic coordinates, with its statistics, for the picture tests;
// every seventh record is selected.

#include "math/coordinate_systems.h"
#include "math/group_statistics.h"
#include "math/principal_axes.h"
#include "plot/view_options.h"
#include "sample_site.h"

#include <memory>

namespace tesmor::test {

struct SampleViews
{
    model::Records active;
    math::GroupStatistics statistics;
    plot::ViewData data;
};

inline std::unique_ptr<SampleViews> MakeSampleViews(int count)
{
    model::Records working = MakeSampleRecords(count);
    math::ComputeRecordDerived(working);
    auto views = std::make_unique<SampleViews>();
    views->active = math::TransformDataSet(working, math::CoordinateSystem::Geographic, 'B', '0',
                                           math::PaleoReference::Horizontal);
    for (std::size_t i = 0; i < views->active.size(); i += 7)
        views->active[i].Selected = true;
    views->statistics = math::ComputeGroupStatistics(views->active, math::Projection::EqualArea);
    views->data.records = views->active;
    views->data.statistics = &views->statistics;
    views->data.options.foliationTypes = {'B', 'S'};
    views->data.options.lineationTypes = {'K', 'L'};
    return views;
}

} // namespace tesmor::test
