#include "gui/splash_window.h"

#include "gui/logo.h"
#include "gui/product_info.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

namespace tesmor::gui {

namespace {

QLabel* addLine(QVBoxLayout* layout, const QString& text, int pointDelta = 0, bool bold = false)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + pointDelta);
    font.setBold(bold);
    label->setFont(font);
    layout->addWidget(label);
    return label;
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("frmSplash");
    setWindowTitle(product::Name);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(24, 20, 24, 20);
    row->setSpacing(24);
    auto* picture = new QLabel;
    picture->setObjectName("imgLogo");
    picture->setPixmap(Logo(120, devicePixelRatioF()));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture);

    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    addLine(text, product::Version, 10, true);
    addLine(text, product::Purpose, 4, true);
    addLine(text, product::Platform, 1);
    text->addSpacing(12);
    addLine(text, product::Maker, 0, true);
    addLine(text, product::PostalAddress);
    addLine(text, product::Telephone);
    addLine(text, product::Fax);
    addLine(text, product::WebAddress);
    text->addSpacing(12);
    addLine(text, QString("%1  (%2)").arg(product::Authors, product::Email));
    row->addLayout(text);

    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void WaitProcessingEvents(qint64 milliseconds, const std::function<qint64()>& elapsed)
{
    while (elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

void WaitProcessingEvents(qint64 milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    WaitProcessingEvents(milliseconds, [&timer] { return timer.elapsed(); });
}

} // namespace tesmor::gui
