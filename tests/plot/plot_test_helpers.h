#pragma once

// Helpers of the picture tests: typed views of a recording and small records.

#include "model/specimen_record.h"
#include "plot/recording_canvas.h"

#include <string>
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

// The position in the recording of the first text equal to `text`; -1 when absent.
inline int IndexOfText(const RecordingCanvas& canvas, const std::string& text)
{
    const auto ops = canvas.operations();
    for (std::size_t i = 0; i < ops.size(); ++i)
        if (const TextItem* t = std::get_if<TextItem>(&ops[i]); t && t->text == text)
            return static_cast<int>(i);
    return -1;
}

// A record with the given principal directions (degrees) and parameters of a mild fabric.
inline model::SpecimenRecord RecordWithAxes(float k1dec, float k1inc, float k2dec, float k2inc,
                                            float k3dec, float k3inc, bool selected = false)
{
    model::SpecimenRecord r;
    r.K1dec = k1dec;
    r.K1inc = k1inc;
    r.K2dec = k2dec;
    r.K2inc = k2inc;
    r.K3dec = k3dec;
    r.K3inc = k3inc;
    r.Km = 200;
    r.P = 1.1f;
    r.Pj = 1.11f;
    r.L = 1.05f;
    r.F = 1.04f;
    r.T = 0.2f;
    r.U = 0.1f;
    r.Field = 300;
    r.Selected = selected;
    return r;
}

} // namespace tesmor::plot::test
