#pragma once

// The main window's behaviour without a toolkit: BrowserState, the state of its controls and
// every operation a user event starts. The window forwards each event to the operation named
// after its control and then copies Controls() onto its widgets.

#include "app/browser_state.h"
#include "app/controls.h"
#include "app/user_interface.h"
#include "plot/parameter_plot.h"
#include "plot/picking.h"
#include "plot/stereonet.h"

#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tesmor::app {

// Size of a drawing surface in device pixels; the pictures are recorded to fit it.
struct PictureSize
{
    int width = 400;
    int height = 400;
    double pixelRatio = 1; // device pixels per pixel of the screen
};

// How the pictures were last recorded: the net's frame and the plots' frames and data, which
// the mouse handlers use to turn positions back into directions and values.
struct ScreenViews
{
    plot::StereonetStyle stereo;
    plot::PlotStyle plot1Style;
    plot::PlotStyle plot2Style;
    std::optional<plot::PlotData> plot1; // empty for a plot kind outside 1-4
    std::optional<plot::PlotData> plot2;
};

// The mouse buttons held or changed in a mouse event over a picture.
namespace mouse {
inline constexpr int Left = 1, Right = 2, Middle = 4;
} // namespace mouse

// A mouse event over a picture: the buttons (those held for a move, the one changed for a press
// or release), the keyboard modifiers and the position in pixels of the recorded picture.
struct MouseEvent
{
    int buttons = 0;
    plot::Modifiers modifiers;
    double x = 0;
    double y = 0;
};

// Two recordings per picture, used in turn, so that a window still showing the previous
// picture never sees it change while the next one is recorded.
class RecordingPool
{
public:
    std::shared_ptr<plot::RecordingCanvas> Take();

private:
    std::array<std::shared_ptr<plot::RecordingCanvas>, 2> m_recordings;
    std::size_t m_next = 0;
};

class Browser
{
public:
    explicit Browser(UserInterface& ui);

    // Start of the program: reads the settings (from `programFolder`, or from `configFolder`
    // when the program's folder is not writable) and enters the closed state.
    void Load(const std::string& programFolder, const std::string& configFolder);
    // End of the program: writes the settings file.
    void Unload();

    BrowserState& State() { return m_state; }
    const BrowserState& State() const { return m_state; }
    const MainWindowControls& Controls() const { return m_controls; }
    const ScreenViews& Views() const { return m_views; }

    // Public operations of the main window.
    void OpenFiles();
    void Overview_List();
    void Overview_Show();
    void ClearWindow();

    // The sizes of picStereo, picPlot1 and picPlot2; redraws when a data set is shown.
    void SetPictureSizes(PictureSize stereo, PictureSize plot1, PictureSize plot2);

    // File menu.
    void mnuNewGED_Click();
    void mnuOpen_Click();
    void mnuPrevious_Click();
    void mnuNext_Click();
    void mnuClose_Click();
    void mnuAbout_Click();

    // Saving.
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuSaveSelectedRecords_Click();

    // The name of the mean tensor as the user types it, and its Save button.
    void txtMeanName_Change(const std::string& text);
    void cmdSave_Click();

    // Edit menu: the table view, which reopens the file it saved, and merging a geological
    // file.
    void mnuEditData_Click();
    void mnuRot_SpecToGeo_Click();
    void mnuRot_GeoToSpec_Click();

    // The record list hands over its whole selection, one flag per row (row 0 is the header),
    // when a key or a mouse button is released over it.
    void lstNames_Release(const std::vector<bool>& selectedRows);

    // Selection menu.
    void mnuInvertSelection_Click();
    void mnuDisregardSelectedRecords_Click();
    void mnuRestoreAllRecords_Click();
    void mnuClearSelection_Click();

    // Graphics menu.
    void mnuPrint_Click();
    void mnuExport_Click();
    // Writes the three views as a picture file under the title (the comment of the picture).
    void Overview_Export(const std::string& path, const std::string& title);

    // Coordinate system.
    void optSpec_Click();
    void optGeo_Click();
    void optPaleo_Click();
    void optTecto_Click();
    void cboFoli_Click(int index);
    void cboLine_Click(int index);
    void optPaleoHorizontal_Click();
    void optPaleoVertical_Click();

    // Projection and plot kinds.
    void optEqualAngle_Click();
    void optEqualArea_Click();
    void optPKm_Click();
    void optPjKm_Click();
    void optPLogKm_Click();
    void optHKm_Click();
    void optPT_Click();
    void optPjT_Click();
    void optLF_Click();
    void optPU_Click();

    // Display check boxes, colour scheme, symbol size.
    void chcK1_Click(bool checked);
    void chcK2_Click(bool checked);
    void chcK3_Click(bool checked);
    void chcData_Click(bool checked);
    void chcMean_Click(bool checked);
    void chcEllipses_Click(bool checked);
    // The confidence region: 0 Tenvar, 1 Hext, 2 bootstrap.
    void cboRegion_Click(int index);
    void chcF1P_Click(bool checked);
    void chcF1C_Click(bool checked);
    void chcF1S_Click(bool checked);
    void chcL1_Click(bool checked);
    void chcContours_Click(bool checked);
    void cmdDefault_Click();
    void cmdBW_Click();
    void vslSymbolSize_Change(int value);

    // The mouse over the pictures: read-outs while moving, a rubber band from press to release
    // that selects the records inside it (the net: any button; the plots: the left button).
    void picStereo_MouseDown(const MouseEvent& event);
    void picStereo_MouseMove(const MouseEvent& event);
    void picStereo_MouseUp(const MouseEvent& event);
    void picPlot1_MouseDown(const MouseEvent& event);
    void picPlot1_MouseMove(const MouseEvent& event);
    void picPlot1_MouseUp(const MouseEvent& event);
    void picPlot2_MouseDown(const MouseEvent& event);
    void picPlot2_MouseMove(const MouseEvent& event);
    void picPlot2_MouseUp(const MouseEvent& event);

    // Layout.
    void cmdExpand_Click();
    void cmdStereo_Click();
    void cmdPlot1_Click();
    void cmdPlot2_Click();

private:
    // Refresh sequence R: transformation into the current system, statistics, listing, pictures.
    void refresh();
    // Overview_List and Overview_Show, side by side for a large data set.
    void listAndShow();
    void takeStructureNames();

    // Opening.
    void openNeighbour(int step);
    void openGeologicalFiles();
    bool closeGedEditor();
    std::shared_ptr<GedEditor> newGedEditor(const std::string& fileName);
    void resetStructureControls();
    void setNames();
    void fillStructureControls(OpenMode mode);
    void enterOpenState();
    void markCoordinateOption();
    void fillStatusBar();
    void enableViewOptions(bool enabled);
    void showDataMenus(bool shown);

    // Saving and merging.
    void saveRecordsAs(bool selectedOnly);
    bool saveAndReopen(const std::string& path, RecordFormat format, bool selectedOnly);
    void rotate(math::RotationMode direction);

    // Options.
    bool coordinateOptionUsable(const OptionButton& option) const;
    void setPaleoReference(math::PaleoReference reference, const OptionButton& option);
    void setDisplayFlag(bool model::DisplayOptions::*flag, CheckBox MainWindowControls::*box,
                        bool checked);
    void setProjection(std::int16_t projection);
    void setPlot1Kind(std::int16_t kind);
    void setPlot2Kind(std::int16_t kind);
    void markOptions();
    void toggleOptionRow(Button& button, std::initializer_list<Control*> row);

    // Listing and pictures.
    void showStatistics(int n);
    // The net alone, for what only the net shows (the display check boxes).
    void recordNet(const plot::ViewOptions& options);
    void recordPlot(int plot, const plot::ViewOptions& options, PictureSize size, bool draw,
                    plot::PlotStyle& style, std::optional<plot::PlotData>& data, Picture& picture);
    void setPicture(Picture& picture, std::shared_ptr<plot::RecordingCanvas> recording);

    // Picking.
    void plotMouseMove(int plot, const MouseEvent& event);
    void plotMouseUp(int plot, const MouseEvent& event);
    void replaceSelection(const std::vector<bool>& records);

    UserInterface& m_ui;
    BrowserState m_state;
    MainWindowControls m_controls;
    ScreenViews m_views;
    std::array<RecordingPool, 3> m_recordings; // picStereo, picPlot1, picPlot2
    plot::GreatCircleCache m_greatCircles; // of picStereo
    // The press point of the band on each picture (picStereo, picPlot1, picPlot2), while held.
    std::array<std::optional<plot::WorldPoint>, 3> m_press;
    // The geological-data editor while it is open (shared with its window).
    std::shared_ptr<GedEditor> m_gedEditor;
    PictureSize m_stereoSize;
    PictureSize m_plot1Size {400, 300};
    PictureSize m_plot2Size {400, 300};
};

} // namespace tesmor::app
