// tesmor42-cli-pictures: tesmor42-cli with the Qt picture writer, for exports with --picture
// (tesmor42-cli hands those over to it).

#include "cli/commands.h"
#include "cli/picture_writer.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = tesmor::cli::RunCli(args, std::cout, std::cerr, tesmor::cli::WriteQtPicture);
    tesmor::cli::ReleasePictureWriter();
    return status;
}
