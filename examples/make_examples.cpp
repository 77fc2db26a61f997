// Writes the bundled example data set: a small synthetic sampling site "BOHEM1" of 32 specimens
// (16 cores, two specimens each) of a folded shale with bedding (group "BL") and cleavage ("SK")
// measured in every core. Run as `tesmor_make_examples <folder>`; it writes <folder>/BOHEM1.ran
// and reads it back as a check.

#include "bench_data.h"
#include "formats/ams_binary.h"

#include <cstdio>
#include <string>

using namespace tesmor;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];

    bench::SyntheticSite site;
    site.Count = 32;
    site.Seed = 1848;
    site.NamePrefix = "BH";
    site.Site = "BOHEM1";
    site.Lat = "49.98";
    site.Lon = "14.33";
    site.Rock = "SHAL";
    site.Strat = "ORDO";
    site.Litho = "LETN";
    site.Region = "BARR";
    site.P1 = 12;
    site.P2 = 0;
    site.P3 = 12;
    site.P4 = 0;
    site.MeanKm = 180.0f;
    const model::Records records = bench::MakeSyntheticRecords(site);

    const std::string path = folder + "/BOHEM1.ran";
    bench::WriteRecordsFile(path, records);

    model::Records check;
    const model::Result<formats::DataImport> read = formats::ReadAmsBinaryFile(path, check, 1, {});
    if (!read || read->Count != site.Count) {
        std::fprintf(stderr, "%s does not read back\n", path.c_str());
        return 1;
    }
    std::printf("%s: %d specimens\n", path.c_str(), read->Count);
    return 0;
}
