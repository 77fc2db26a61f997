#include "cli/json_output.h"

#include "model/codepage.h"
#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tesmor::cli {

namespace {

// A structure type letter (a Windows-1252 byte) as JSON text.
Json CharJson(char c)
{
    return model::LetterText(c);
}

Json PointJson(const math::NetPoint& p)
{
    return Json::array({FloatJson(p.x), FloatJson(p.y)});
}

} // namespace

Json FloatJson(float x)
{
    if (!std::isfinite(x))
        return nullptr;
    // The double nearest to the float's shortest text prints back as that text, so the JSON
    // carries "0.1" for 0.1f instead of the float's exact binary value 0.100000001490116...
    const std::string text = model::ShortestText(x);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return static_cast<double>(x);
    return value;
}

Json RecordJson(const model::SpecimenRecord& r)
{
    Json j;
    j["Name"] = r.Name;
    j["FieldCode"] = FloatJson(r.FieldCode);
    j["NormFactor"] = FloatJson(r.NormFactor);
    j["Field"] = FloatJson(r.Field);
    j["Freq"] = r.Freq;
    j["Instrument"] = r.Instrument;
    j["Site"] = r.Site;
    j["Lat"] = r.Lat;
    j["Lon"] = r.Lon;
    j["Rock"] = r.Rock;
    j["Strat"] = r.Strat;
    j["Litho"] = r.Litho;
    j["Region"] = r.Region;
    j["P1"] = r.P1;
    j["P2"] = r.P2;
    j["P3"] = r.P3;
    j["P4"] = r.P4;
    j["Code1"] = r.Code1;
    j["Code1A"] = CharJson(r.Code1A);
    j["Code1B"] = CharJson(r.Code1B);
    j["F1Dec"] = FloatJson(r.F1Dec);
    j["F1Inc"] = FloatJson(r.F1Inc);
    j["F1Strike"] = FloatJson(r.F1Strike);
    j["Spare1"] = FloatJson(r.Spare1);
    j["L1Dec"] = FloatJson(r.L1Dec);
    j["L1Inc"] = FloatJson(r.L1Inc);
    j["Code2"] = r.Code2;
    j["Code2A"] = CharJson(r.Code2A);
    j["Code2B"] = CharJson(r.Code2B);
    j["F2Dec"] = FloatJson(r.F2Dec);
    j["F2Inc"] = FloatJson(r.F2Inc);
    j["F2Strike"] = FloatJson(r.F2Strike);
    j["Spare2"] = FloatJson(r.Spare2);
    j["L2Dec"] = FloatJson(r.L2Dec);
    j["L2Inc"] = FloatJson(r.L2Inc);
    j["K1"] = FloatJson(r.K1);
    j["K2"] = FloatJson(r.K2);
    j["K3"] = FloatJson(r.K3);
    j["Km"] = FloatJson(r.Km);
    j["L"] = FloatJson(r.L);
    j["F"] = FloatJson(r.F);
    j["P"] = FloatJson(r.P);
    j["Pj"] = FloatJson(r.Pj);
    j["T"] = FloatJson(r.T);
    j["U"] = FloatJson(r.U);
    j["K11"] = FloatJson(r.K11);
    j["K22"] = FloatJson(r.K22);
    j["K33"] = FloatJson(r.K33);
    j["K12"] = FloatJson(r.K12);
    j["K23"] = FloatJson(r.K23);
    j["K13"] = FloatJson(r.K13);
    j["K1dec"] = FloatJson(r.K1dec);
    j["K1inc"] = FloatJson(r.K1inc);
    j["K2dec"] = FloatJson(r.K2dec);
    j["K2inc"] = FloatJson(r.K2inc);
    j["K3dec"] = FloatJson(r.K3dec);
    j["K3inc"] = FloatJson(r.K3inc);
    j["AxisPoleAngle1"] = FloatJson(r.AxisPoleAngle1);
    j["AxisPoleAngle2"] = FloatJson(r.AxisPoleAngle2);
    j["AxisPoleAngle3"] = FloatJson(r.AxisPoleAngle3);
    j["Selected"] = r.Selected;
    j["Index"] = r.Index;
    return j;
}

void WriteRecordsJson(std::ostream& out, const std::vector<model::SpecimenRecord>& records)
{
    std::string text = "{\n  \"records\": [";
    for (std::size_t i = 0; i < records.size(); ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        text += RecordJson(records[i]).dump(-1, ' ', false, Json::error_handler_t::replace);
        if (text.size() > 60000) {
            out << text;
            text.clear();
        }
    }
    text += records.empty() ? "]\n}\n" : "\n  ]\n}\n";
    out << text;
}

namespace {

// Averages and standard deviations exist from 2 records on.
void AddAverages(Json& j, const math::GroupStatistics& s)
{
    const bool defined = s.N >= math::MinRecordsForAverages;
    const auto value = [defined](float x) { return defined ? FloatJson(x) : Json(nullptr); };
    j["Kaver"] = value(s.Kaver);
    j["Laver"] = value(s.Laver);
    j["Faver"] = value(s.Faver);
    j["Paver"] = value(s.Paver);
    j["Pjaver"] = value(s.Pjaver);
    j["Taver"] = value(s.Taver);
    j["Uaver"] = value(s.Uaver);
    j["Ksd"] = value(s.Ksd);
    j["Lsd"] = value(s.Lsd);
    j["Fsd"] = value(s.Fsd);
    j["Psd"] = value(s.Psd);
    j["Pjsd"] = value(s.Pjsd);
    j["Tsd"] = value(s.Tsd);
    j["Usd"] = value(s.Usd);
}

// The mean tensor's principal values, directions and parameters (Tenvar, 5 records and more).
void AddMeanTensor(Json& j, const math::GroupStatistics& s)
{
    const bool defined = s.Tenvar;
    const auto value = [defined](float x) { return defined ? FloatJson(x) : Json(nullptr); };
    j["K1"] = value(s.K1);
    j["K2"] = value(s.K2);
    j["K3"] = value(s.K3);
    j["K1d"] = value(s.K1d);
    j["K1i"] = value(s.K1i);
    j["K2d"] = value(s.K2d);
    j["K2i"] = value(s.K2i);
    j["K3d"] = value(s.K3d);
    j["K3i"] = value(s.K3i);
    const char* xyNames[3] = {"K1xy", "K2xy", "K3xy"};
    for (int axis = 0; axis < 3; ++axis)
        j[xyNames[axis]] = defined ? PointJson(s.AxisPoint[axis]) : Json(nullptr);
}

// Semi-angles of each axis; undefined for a degenerate axis.
void AddSemiAngles(Json& j, const math::GroupStatistics& s)
{
    const auto value = [&s](int axis, float x) {
        return s.Tenvar && s.SemiAnglesDefined[axis] ? FloatJson(x) : Json(nullptr);
    };
    j["C1a"] = value(0, s.C1a);
    j["C1b"] = value(0, s.C1b);
    j["C2a"] = value(1, s.C2a);
    j["C2b"] = value(1, s.C2b);
    j["C3a"] = value(2, s.C3a);
    j["C3b"] = value(2, s.C3b);
    j["C1a95"] = value(0, s.C1a95);
    j["C1b95"] = value(0, s.C1b95);
    j["C2a95"] = value(1, s.C2a95);
    j["C2b95"] = value(1, s.C2b95);
    j["C3a95"] = value(2, s.C3a95);
    j["C3b95"] = value(2, s.C3b95);
}

void AddMeanParameters(Json& j, const math::GroupStatistics& s)
{
    const bool defined = s.Tenvar;
    const auto value = [defined](float x) { return defined ? FloatJson(x) : Json(nullptr); };
    j["Lmean"] = value(s.Lmean);
    j["Fmean"] = value(s.Fmean);
    j["Pmean"] = value(s.Pmean);
    j["Pjmean"] = value(s.Pjmean);
    j["Tmean"] = value(s.Tmean);
    j["Umean"] = value(s.Umean);
}

Json TensorJson(const math::Mat3& m)
{
    Json rows = Json::array();
    for (int i = 1; i <= 3; ++i)
        rows.push_back(Json::array({FloatJson(m(i, 1)), FloatJson(m(i, 2)), FloatJson(m(i, 3))}));
    return rows;
}

Json EllipseAxisPointsJson(const math::GroupStatistics& s)
{
    Json axes = Json::array();
    for (int axis = 0; axis < 3; ++axis) {
        if (!s.SemiAnglesDefined[axis]) {
            axes.push_back(nullptr);
            continue;
        }
        Json points = Json::array();
        for (const auto& p : s.EllipseAxisPoints[axis])
            points.push_back(PointJson(p));
        axes.push_back(std::move(points));
    }
    return axes;
}

Json EllipseCurveJson(const math::GroupStatistics& s)
{
    Json axes = Json::array();
    for (int axis = 0; axis < 3; ++axis) {
        if (!s.CurveDefined[axis] || s.EllipseCurve[axis].empty()) {
            axes.push_back(nullptr);
            continue;
        }
        Json points = Json::array();
        for (const auto& p : s.EllipseCurve[axis])
            points.push_back(PointJson(p));
        axes.push_back(std::move(points));
    }
    return axes;
}

} // namespace

Json StatisticsJson(const math::GroupStatistics& s, bool withCurves)
{
    Json j;
    j["N"] = s.N;
    AddAverages(j, s);
    j["Tenvar"] = s.Tenvar;
    AddMeanTensor(j, s);
    AddSemiAngles(j, s);
    AddMeanParameters(j, s);
    j["M"] = s.Tenvar ? TensorJson(s.M) : Json(nullptr);
    j["EllipseAxisPoints"] = s.Tenvar ? EllipseAxisPointsJson(s) : Json(nullptr);
    if (withCurves)
        j["EllipseCurve"] = s.Tenvar ? EllipseCurveJson(s) : Json(nullptr);
    return j;
}

Json HextJson(const math::HextStatistics& h)
{
    const auto value = [](bool defined, double x) {
        return defined ? FloatJson(static_cast<float>(x)) : Json(nullptr);
    };
    Json j;
    j["N"] = h.N;
    j["nf"] = h.Defined ? Json(h.nf) : Json(nullptr);
    j["sigma"] = value(h.Defined, h.sigma);
    j["F"] = value(h.RatiosDefined, h.F);
    j["F12"] = value(h.RatiosDefined, h.F12);
    j["F23"] = value(h.RatiosDefined, h.F23);
    j["Fcrit"] = value(h.Defined, h.Fcrit);
    j["F12crit"] = value(h.Defined, h.F12crit);
    j["e12"] = value(h.Defined, h.e12);
    j["e23"] = value(h.Defined, h.e23);
    j["e13"] = value(h.Defined, h.e13);
    return j;
}

Json BootstrapJson(const math::BootstrapStatistics& b)
{
    Json j;
    j["N"] = b.N;
    j["count"] = b.Count;
    j["parametric"] = b.Parametric;
    j["seed"] = b.Seed;
    const char* names[3] = {"K1", "K2", "K3"};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        if (!b.Defined) {
            j[names[axis]] = nullptr;
            continue;
        }
        const math::BootstrapAxis& a = b.Axis[axis];
        Json k;
        k["eta"] = FloatJson(a.eta);
        k["eta_dec"] = FloatJson(a.EtaDir.Dec);
        k["eta_inc"] = FloatJson(a.EtaDir.Inc);
        k["zeta"] = FloatJson(a.zeta);
        k["zeta_dec"] = FloatJson(a.ZetaDir.Dec);
        k["zeta_inc"] = FloatJson(a.ZetaDir.Inc);
        j[names[axis]] = std::move(k);
    }
    return j;
}

std::string DumpJson(const Json& json)
{
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace tesmor::cli
