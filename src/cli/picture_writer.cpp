#include "cli/picture_writer.h"

#include "render/picture_export.h"

#include <QGuiApplication>

#include <clocale>
#include <memory>

namespace tesmor::cli {

namespace {

int g_argc = 1;
char g_name[] = "tesmor42-cli";
char* g_argv[] = {g_name, nullptr};
std::unique_ptr<QGuiApplication> g_app;
QtMessageHandler g_qtHandler = nullptr;

// Qt's notice that it made up a runtime folder (usual in batch jobs and containers) says
// nothing about the picture; everything else Qt reports is passed on.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtWarningMsg || !text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        g_qtHandler(type, context, text);
}

// One application object for the picture exports of the run (or the caller's own, in tests).
void EnsureGuiApplication()
{
    if (QGuiApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (g_qtHandler == nullptr)
        g_qtHandler = qInstallMessageHandler(FilterQtMessages);
    g_app = std::make_unique<QGuiApplication>(g_argc, g_argv);
    // Qt takes the user's locale; numbers in files must not depend on it.
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace

model::Status WriteQtPicture(const std::string& path, const plot::ViewData& data,
                             const std::string& title)
{
    EnsureGuiApplication();
    return render::ExportPicture(path, data, title);
}

void ReleasePictureWriter()
{
    g_app.reset();
}

} // namespace tesmor::cli
