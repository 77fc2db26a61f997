#pragma once

// Replays a recorded picture onto a QPainter, in the recording's own pixels.

class QPainter;

namespace tesmor::plot {
class RecordingCanvas;
}

namespace tesmor::gui {

void ReplayRecording(const plot::RecordingCanvas& recording, QPainter& painter);

} // namespace tesmor::gui
