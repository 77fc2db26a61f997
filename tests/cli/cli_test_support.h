#pragma once

// Running the tool in-process and building its input files.

#include "ams_file_builder.h"
#include "cli/commands.h"
#include "cli/picture_writer.h"
#include "formats/ams_binary.h"
#include "math/principal_axes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace tesmor::cli::test {

using nlohmann::json;
using tesmor::test::ReadBytes;
using tesmor::test::WriteBytes;

struct ToolRun
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the tool as tesmor42-cli-pictures does (with the picture writer), or without it as
// tesmor42-cli does.
inline ToolRun RunTool(const std::vector<std::string>& args, bool withPictures = true)
{
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = RunCli(args, out, err, withPictures ? PictureWriter(WriteQtPicture) : nullptr);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// The standard output of a successful run, parsed.
inline json RunJson(const std::vector<std::string>& args)
{
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return json::parse(run.out);
}

// A binary data file of `count` specimens S1, S2, ... with distinct tensors, group 1 `code1` and,
// for every other specimen, group 2 "SK".
inline std::string SiteBytes(int count, const std::string& code1 = "BL")
{
    tesmor::testing::AmsFileBuilder builder;
    builder.Header({});
    for (int i = 1; i <= count; ++i) {
        tesmor::testing::AmsSpecimenFields s;
        s.Name = "S" + std::to_string(i);
        const float d = 0.004f * static_cast<float>(i % 7);
        const float e = 0.003f * static_cast<float>(i % 5);
        s.Tensor = {1.05f + d, 1.0f - e, 0.95f - d + e, 0.01f + e, -0.02f + d, 0.03f - d};
        s.Code1 = code1;
        s.Group1 = {static_cast<std::int16_t>(100 + 5 * i), 30, 150, 20};
        if (i % 2 == 0) {
            s.Code2 = "SK";
            s.Group2 = {static_cast<std::int16_t>(200 + 3 * i), 60, 210, 40};
        }
        builder.Specimen(s);
    }
    return builder.Bytes();
}

// The records of a binary file as the core reads and completes them, in the geographic system.
inline model::Records CoreRecords(const std::string& path)
{
    model::Records records;
    EXPECT_TRUE(formats::ReadAmsBinaryFile(path, records, 1, {}).ok());
    math::ComputeRecordDerived(records);
    return records;
}

// Tests with a temporary folder for the files the tool reads and writes.
class CliTest : public ::testing::Test
{
protected:
    std::string file(const std::string& name) const { return dir.file(name); }
    std::string site(int count, const std::string& code1 = "BL")
    {
        const std::string path = dir.file("site" + std::to_string(count) + code1 + ".ran");
        WriteBytes(path, SiteBytes(count, code1));
        return path;
    }
    bool exists(const std::string& name) const
    {
        return std::filesystem::exists(dir.path() / name);
    }

    tesmor::test::TempDir dir;
};

} // namespace tesmor::cli::test
