#include "render/printing.h"

#include "plot/views.h"
#include "render/painter_canvas.h"

#include <QPainter>
#include <QPrinter>

namespace tesmor::render {

model::Status PrintViews(QPrinter& printer, const plot::ViewData& data, const std::string& title)
{
    printer.setDocName(PrintJobName);
    QPainter painter;
    if (!painter.begin(&printer))
        return model::UserMessage {"The printer \"" + printer.printerName().toStdString()
                                       + "\" could not be started.",
                                   "Print error", model::MessageIcon::Exclamation};
    painter.setRenderHint(QPainter::Antialiasing);
    // The page in printer pixels: the printable area, to which the painter is clipped.
    const int W = painter.device()->width();
    const int H = painter.device()->height();
    PainterCanvas canvas(painter, PainterCanvas::Markers::Vector);
    plot::DrawPrintedPage(canvas, data, title, W, H);
    painter.end();
    return std::nullopt;
}

} // namespace tesmor::render
