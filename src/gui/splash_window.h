#pragma once

// The splash window frmSplash shown while the program starts.

#include <QElapsedTimer>
#include <QWidget>

#include <functional>

namespace tesmor::gui {

class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

// Waits until `milliseconds` have elapsed on a monotonic clock, running pending user-interface
// work meanwhile. `elapsed` reports the milliseconds since the wait began; the elapsed time,
// unlike the time of day, does not jump at midnight.
void WaitProcessingEvents(qint64 milliseconds, const std::function<qint64()>& elapsed);
void WaitProcessingEvents(qint64 milliseconds);

} // namespace tesmor::gui
