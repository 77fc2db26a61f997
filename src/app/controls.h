#pragma once

// The state of the main window's controls, without a toolkit. Each member is named after the
// control it stands for; the window copies these values onto its widgets after every operation.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tesmor::plot {
class RecordingCanvas;
}

namespace tesmor::app {

struct Control
{
    bool enabled = true;
    bool visible = true;
};

struct OptionButton : Control
{
    bool checked = false;
};

struct CheckBox : Control
{
    bool checked = false;
};

struct Label : Control
{
    std::string text;
};

struct TextBox : Control
{
    std::string text;
};

struct Button : Control
{
    std::string caption;
    int tag = 0; // state kept by the option-row buttons: 1 while their row is shown
    std::string picture; // icon file shown on the button, "" for none
};

struct Slider : Control
{
    int value = 10;
    int minimum = 1;
    int maximum = 30;
};

// A list of text rows with several rows selectable. `selected` has one entry per row. The
// revisions grow whenever the rows or the selection change, so that a view of tens of thousands
// of rows copies them only when needed.
struct ListBox : Control
{
    std::vector<std::string> rows;
    std::vector<bool> selected;
    std::vector<int> tabStops; // dialog units
    int width = 0; // layout units, 0 for the window's default
    std::uint64_t rowsRevision = 0;
    std::uint64_t selectionRevision = 0;
};

struct ComboBox : Control
{
    std::vector<std::string> items;
    std::string text; // the text shown
};

struct MenuItem
{
    bool enabled = true;
    bool visible = true;
};

struct StatusBar : Control
{
    std::array<std::string, 8> panels;
};

// A drawing surface shows a recording of drawing operations; null shows a cleared surface.
struct Picture : Control
{
    std::shared_ptr<const plot::RecordingCanvas> picture;
    std::uint64_t revision = 0; // grows with every redraw
};

struct Window
{
    std::string caption;
};

struct MainWindowControls
{
    Window frmMain;

    ListBox lstNames;
    Button cmdExpand;
    Picture picStereo;
    Picture picPlot1;
    Picture picPlot2;

    // Option rows under the pictures and the buttons that show or hide them.
    Button cmdStereo;
    Button cmdPlot1;
    Button cmdPlot2;
    Label lblStereo;
    Label lblPlot1;
    Label lblPlot2;
    // Read-outs of the position under the mouse: declination and inclination on the net, the
    // two values of each plot.
    Label lblStereoD, lblStereoI;
    Label lblPlot1X, lblPlot1Y;
    Label lblPlot2X, lblPlot2Y;
    OptionButton optEqualAngle;
    OptionButton optEqualArea;
    OptionButton optPKm;
    OptionButton optPjKm;
    OptionButton optPLogKm;
    OptionButton optHKm;
    OptionButton optPT;
    OptionButton optPjT;
    OptionButton optLF;
    OptionButton optPU;

    // Coordinate system.
    Control fraCoor;
    Label lblCoor;
    OptionButton optSpec;
    OptionButton optGeo;
    OptionButton optPaleo;
    OptionButton optTecto;
    OptionButton optPaleoHorizontal;
    OptionButton optPaleoVertical;
    ComboBox cboFoli;
    ComboBox cboLine;

    // Display.
    Control fraDisplay;
    CheckBox chcK1;
    CheckBox chcK2;
    CheckBox chcK3;
    CheckBox chcData;
    CheckBox chcMean;
    CheckBox chcEllipses;
    CheckBox chcF1P;
    CheckBox chcF1C;
    CheckBox chcF1S;
    CheckBox chcL1;
    CheckBox chcContours;
    ListBox lstFoli;
    ListBox lstLine;

    // Symbol colour and size.
    Control fraProperties;
    Button cmdDefault;
    Button cmdBW;
    Slider vslSymbolSize;
    TextBox txtSymbolSize;

    // "Mean tensor (Tenvar statistics)".
    Control fraMeanTensor;
    TextBox txtMeanName;
    Button cmdSave;
    Label lblStatisticsInfo;
    // The confidence region of the net and its figures (Hext, bootstrap).
    ComboBox cboRegion;
    Label lblRegion;
    Label lblN;
    Label lblK1, lblK2, lblK3;
    Label lblK1d, lblK2d, lblK3d;
    Label lblK1ca, lblK2ca, lblK3ca;
    Label lblKmmean, lblLmean, lblFmean, lblPmean, lblPJmean, lblTmean, lblUmean;
    Label lblKmaver, lblLaver, lblFAver, lblPaver, lblPjaver, lblTaver, lblUaver;
    Label lblKmsd, lblLsd, lblFsd, lblPsd, lblPJsd, lblTsd, lblUsd;

    StatusBar StatusBar1;

    // Menus.
    MenuItem mnuFile, mnuNew, mnuNewGED, mnuOpen, mnuPrevious, mnuNext;
    MenuItem mnuSave, mnuSaveAs, mnuSaveSelectedRecords, mnuRefresf, mnuSS, mnuClose, mnuExit;
    MenuItem mnuEdit, mnuEditData, mnuRot_SpecToGeo, mnuRot_GeoToSpec;
    MenuItem mnuGraphics, mnuCopy, mnuExport, mnuPrint, mnuGraphPrint;
    MenuItem mnuSelection, mnuInvertSelection, mnuDisregardSelectedRecords, mnuRestoreAllRecords;
    MenuItem mnuClearSelection;
    MenuItem mnuTools;
    MenuItem mnuAbout;

    // Name of the control that last received the input focus from an operation, "" for none.
    std::string focus;
};

// The controls as the window is first shown: every menu and control of the closed state.
MainWindowControls InitialControls();

} // namespace tesmor::app
