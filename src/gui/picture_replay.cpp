#include "gui/picture_replay.h"

#include "plot/recording_canvas.h"
#include "render/painter_canvas.h"

namespace tesmor::gui {

void ReplayRecording(const plot::RecordingCanvas& recording, QPainter& painter)
{
    render::PainterCanvas canvas(painter);
    recording.replay(canvas);
}

} // namespace tesmor::gui
