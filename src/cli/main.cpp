// tesmor42-cli: the browser's core without a window, for batch work and scripted checks.
//
// This executable does not load Qt, so that reading, statistics and text exports start fast.
// A picture export is handed over, with the same arguments, to tesmor42-cli-pictures beside it,
// which is the same tool with the Qt picture writer.

#include "cli/commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::filesystem::path PicturesTool()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::path() : self.parent_path()) / "tesmor42-cli-pictures";
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = tesmor::cli::RunCli(args, std::cout, std::cerr);
    if (status != tesmor::cli::NeedsPictureWriter)
        return status;

    std::cout.flush();
    const std::string tool = PicturesTool().string();
    std::vector<char*> toolArgv(argv, argv + argc + 1);
    toolArgv[0] = const_cast<char*>(tool.c_str());
    execv(tool.c_str(), toolArgv.data());
    std::cerr << "Pictures are drawn by " << tool
              << ", which cannot be started: " << std::strerror(errno) << '\n';
    return tesmor::cli::InputError;
}
