#pragma once

// The printed page: the title, a rule, the net and both plots in the page layout, on one page of
// the given printer (a real printer, or a PDF file chosen in the print dialog).

#include "model/result.h"
#include "plot/view_options.h"

#include <string>

class QPrinter;

namespace tesmor::render {

// The name of the print job.
inline constexpr const char* PrintJobName = "Dokument";

// Prints one page; a message when the printer cannot be started.
model::Status PrintViews(QPrinter& printer, const plot::ViewData& data, const std::string& title);

} // namespace tesmor::render
