#pragma once

// The picture writer of the command-line tool: the views drawn by render/ with the Qt Gui
// application object it needs, created on first use on the off-screen platform when no display
// is named.

#include "model/result.h"
#include "plot/view_options.h"

#include <string>

namespace tesmor::cli {

model::Status WriteQtPicture(const std::string& path, const plot::ViewData& data,
                             const std::string& title);

// Ends the Qt application object that the writer created, if any; call before main returns
// (Qt's objects must not outlive main).
void ReleasePictureWriter();

} // namespace tesmor::cli
