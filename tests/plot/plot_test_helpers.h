#pragma once

// Helpers of the picture tests: typed views of a recording and small records.

#include "model/specimen_record.h"
#include "plot/recording_canvas.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace tesmor::plot::test {

template<typename Op> std::vector<Op> OpsOf(const RecordingCanvas& canvas)
{
    std::vector<Op> out;
    for (const Operation& op : canvas.operations())
        if (const Op* typed = std::get_if<Op>(&op))
            out.push_back(*typed);
    return out;
}

inline std::vector<std::string> TextsOf(const RecordingCanvas& canvas)
{
    std::vector<std::string> out;
    for (const TextItem& t : OpsOf<TextItem>(canvas))
        out.push_back(t.text);
    return out;
}

// The first text item equal to `text`; a test failure when there is none.
inline TextItem TextNamed(const RecordingCanvas& canvas, const std::string& text)
{
    for (const TextItem& t : OpsOf<TextItem>(canvas))
        if (t.text == text)
            return t;
    ADD_FAILURE() << "no text \"" << text << "\"";
    return {};
}

// A record with the given principal directions (degrees) and parameters of a mild fabric.
inline model::SpecimenRecord RecordWithAxes(float k1dec, float k1inc, float k2dec, float k2inc,
                                            float k3dec, float k3inc, bool selected = false)
{
    model::SpecimenRecord r;
    std::tie(r.K1dec, r.K1inc, r.K2dec, r.K2inc, r.K3dec, r.K3inc)
        = std::tuple {k1dec, k1inc, k2dec, k2inc, k3dec, k3inc};
    std::tie(r.Km, r.P, r.Pj, r.L, r.F, r.T, r.U, r.Field)
        = std::tuple {200.0f, 1.1f, 1.11f, 1.05f, 1.04f, 0.2f, 0.1f, 300.0f};
    r.Selected = selected;
    return r;
}

} // namespace tesmor::plot::test
