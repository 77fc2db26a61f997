#include "render/picture_export.h"

#include "model/file_io.h"
#include "model/number_text.h"
#include "plot/views.h"
#include "render/painter_canvas.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace tesmor::render {

namespace {

// Vector files and PNG: the exported layout at a fifth of its logical size.
constexpr double FileScale = 0.2;
constexpr int FileWidth = static_cast<int>(plot::ExportSize * FileScale);
constexpr int FileHeight = static_cast<int>(plot::ExportViewsHeight * FileScale);
// The bitmap: a tenth, with a title band above the views.
constexpr double BitmapScale = 0.1;
constexpr int BitmapTitleBand = 20;

model::UserMessage ExportError(const std::string& text)
{
    return {text, "Export error", model::MessageIcon::Exclamation};
}

model::Status SaveBytes(const std::string& path, const QByteArray& bytes)
{
    return model::WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()));
}

model::Status SaveImage(const std::string& path, const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        return ExportError("The picture could not be encoded as " + std::string(format) + ".");
    return SaveBytes(path, bytes);
}

model::Status ExportSvg(const std::string& path, const plot::ViewData& data,
                        const std::string& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(FileWidth, FileHeight));
    svg.setViewBox(QRect(0, 0, FileWidth, FileHeight));
    svg.setTitle(QString::fromStdString(title));
    QPainter painter(&svg);
    painter.setRenderHint(QPainter::Antialiasing);
    PainterCanvas canvas(painter, PainterCanvas::Markers::Vector);
    plot::DrawExportViews(canvas, data, FileScale);
    painter.end();
    return SaveBytes(path, bytes);
}

model::Status ExportPdf(const std::string& path, const plot::ViewData& data,
                        const std::string& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QString::fromStdString(title));
        pdf.setCreator("Tesmor 42");
        // 200 picture units per inch: 8 inches wide.
        pdf.setResolution(FileWidth / 8);
        const double inchesHigh = double(FileHeight) / (FileWidth / 8);
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(8, inchesHigh), QPageSize::Inch),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&pdf);
        if (!painter.isActive())
            return ExportError("The PDF document could not be started.");
        painter.setRenderHint(QPainter::Antialiasing);
        PainterCanvas canvas(painter, PainterCanvas::Markers::Vector);
        plot::DrawExportViews(canvas, data, FileScale);
    }
    return SaveBytes(path, bytes);
}

} // namespace

QImage RenderViews(const plot::ViewData& data, double scale, const std::string& title)
{
    const int side = static_cast<int>(model::RoundHalfEven(plot::ExportSize * scale));
    const int height = static_cast<int>(model::RoundHalfEven(plot::ExportViewsHeight * scale));
    const int band = title.empty() ? 0 : BitmapTitleBand;
    QImage image(side, height + band, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PainterCanvas canvas(painter);
    if (!title.empty())
        plot::DrawLabel(canvas, title, side / 2.0, 25, 20, 70, plot::Black,
                        {plot::HAlign::Centre, plot::VAlign::Baseline});
    plot::DrawExportViews(canvas, data, scale, band);
    return image;
}

model::Status ExportPicture(const std::string& path, const plot::ViewData& data,
                            const std::string& title)
{
    const std::string extension
        = model::ToLower(path.size() >= 3 ? path.substr(path.size() - 3) : path);
    if (extension == "wmf")
        return plot::WriteMetafilePicture(path, data);
    if (extension == "svg")
        return ExportSvg(path, data, title);
    if (extension == "pdf")
        return ExportPdf(path, data, title);
    if (extension == "png")
        return SaveImage(path, RenderViews(data, FileScale), "PNG");
    if (extension == "bmp")
        return SaveImage(path, RenderViews(data, BitmapScale, title), "BMP");
    return ExportError("Pictures can be exported as .wmf, .svg, .pdf, .png or .bmp files, not as \""
                       + path + "\".");
}

} // namespace tesmor::render
