#pragma once

// JSON forms of the core's results. Every single-precision value is written as the JSON number
// whose text is the float's shortest round-trip decimal; values that are undefined (statistics
// of too few records, degenerate confidence ellipses, non-finite numbers) are null.

#include "math/bootstrap.h"
#include "math/confidence_regions.h"
#include "math/group_statistics.h"
#include "model/specimen_record.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

namespace tesmor::cli {

using Json = nlohmann::ordered_json;

// The float as a JSON number that prints as its shortest round-trip text; null when not finite.
Json FloatJson(float x);

// Every field of the record under its own name, in declaration order.
Json RecordJson(const model::SpecimenRecord& record);

// {"records": [...]} of the records in sequence order, one record per line. Written record by
// record: the JSON of 32,765 records held at once would take about 200 MB.
void WriteRecordsJson(std::ostream& out, const std::vector<model::SpecimenRecord>& records);

// The group statistics under their field names; the ellipse curves only when `withCurves`.
Json StatisticsJson(const math::GroupStatistics& stats, bool withCurves);

// {"N", "nf", "sigma", "F", "F12", "F23", "Fcrit", "F12crit", "e12", "e23", "e13"}; null for
// what too few records or a zero sigma leave undefined.
Json HextJson(const math::HextStatistics& hext);

// {"N", "count", "parametric", "seed", "K1": {"eta", "eta_dec", "eta_inc", "zeta", "zeta_dec",
// "zeta_inc"}, "K2": {...}, "K3": {...}}; the axes are null when the bootstrap is undefined.
Json BootstrapJson(const math::BootstrapStatistics& bootstrap);

// The text written by the commands: two-space indentation, a final line end. Bytes that are not
// UTF-8 are replaced instead of failing.
std::string DumpJson(const Json& json);

} // namespace tesmor::cli
