#include "cli/session.h"

#include "math/coordinate_systems.h"
#include "math/group_statistics.h"

namespace tesmor::cli {

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

Session::Session(std::ostream& err)
    : m_err(err)
    , m_ui(err)
    , m_browser(m_ui)
{
}

ExitStatus Session::Open(const LoadOptions& options)
{
    const KindChoice kind = KindOfFiles(options.Files);
    if (!kind.Problem.empty()) {
        m_err << kind.Problem << '\n';
        return UsageError;
    }
    if ((options.Foliation && options.Foliation->size() != 1) || options.Lineation.size() != 1) {
        m_err << "A structure type is one letter (the lineation \"0\" for none).\n";
        return UsageError;
    }

    // No settings file is read: everything that loading depends on comes from the options.
    app::BrowserState& s = m_browser.State();
    s.FilesToOpen = options.Files;
    s.FileKind = kind.Kind;
    s.DataFolder = FolderOf(options.Files.front());
    s.DefaultP1 = options.Defaults.P1;
    s.DefaultP2 = options.Defaults.P2;
    s.DefaultP3 = options.Defaults.P3;
    s.DefaultP4 = options.Defaults.P4;
    s.Projection = static_cast<std::int16_t>(options.Projection);
    s.CoordSystem = math::CoordinateSystem::Geographic;
    s.PaleoReference = math::PaleoReference::Horizontal;

    m_browser.OpenFiles();
    if (!s.ViewsReady)
        return InputError;
    return choose(options);
}

// Opening has chosen the specimen system for a set without orientation data and the geographic
// system otherwise. Another system is taken only where the window offers it.
ExitStatus Session::choose(const LoadOptions& options)
{
    using math::CoordinateSystem;
    app::BrowserState& s = m_browser.State();
    const CoordinateSystem opened = s.CoordSystem;
    const CoordinateSystem wanted = options.Coord.value_or(opened);
    if (wanted == opened)
        return Success;

    if (opened == CoordinateSystem::Specimen) {
        m_err << "The data set has no orientation data: it can be shown only in the specimen "
                 "coordinate system.\n";
        return InputError;
    }
    if (wanted == CoordinateSystem::Specimen) {
        m_err << "The data set holds oriented data: the specimen coordinate system is offered "
                 "only for data sets without orientation (merge with --direction geo-to-spec "
                 "to rotate it).\n";
        return InputError;
    }
    if (!options.Foliation && s.FoliationTypes.empty()) {
        m_err << "The data set has no foliation: the " << CoordinateSystemName(wanted)
              << " coordinate system needs one.\n";
        return InputError;
    }

    s.CoordSystem = wanted;
    s.FoliationName = options.Foliation.value_or(std::string(1, s.FoliationTypes.front().Letter));
    s.LineationName = options.Lineation;
    s.PaleoReference
        = options.PaleoVertical ? math::PaleoReference::Vertical : math::PaleoReference::Horizontal;
    math::TransformDataSet(s.Data.WorkingRecords, s.CoordSystem, s.FoliationName.front(),
                           s.LineationName.front(), s.PaleoReference, s.Data.ActiveRecords);
    math::ComputeGroupStatistics(s.Data.ActiveRecords, options.Projection, s.Statistics);
    m_browser.Overview_List();
    return Success;
}

} // namespace tesmor::cli
