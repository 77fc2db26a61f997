#include "app/controls.h"

#include "app/confidence_region.h"

namespace tesmor::app {

namespace {

void hide(MenuItem& item, bool disable = false)
{
    item.visible = false;
    item.enabled = !disable;
}

void hideOptionRow(std::initializer_list<Control*> row)
{
    for (Control* control : row)
        control->visible = false;
}

} // namespace

MainWindowControls InitialControls()
{
    MainWindowControls c;
    c.frmMain.caption = "Tesmor 42 - Anisotropy data browser";
    c.lstNames.width = 154;
    c.lstNames.tabStops = {48, 65, 90, 140, 170, 200, 230, 260, 290, 330, 355, 385, 410, 440, 465};
    c.cmdExpand.caption = ">>";

    for (Button* button : {&c.cmdStereo, &c.cmdPlot1, &c.cmdPlot2})
        button->tag = 0;
    hideOptionRow({&c.lblStereo, &c.optEqualArea, &c.optEqualAngle});
    hideOptionRow({&c.lblPlot1, &c.optPKm, &c.optPjKm, &c.optPLogKm, &c.optHKm});
    hideOptionRow({&c.lblPlot2, &c.optPT, &c.optPjT, &c.optLF, &c.optPU});

    for (OptionButton* option : {&c.optSpec, &c.optGeo, &c.optPaleo, &c.optTecto,
                                 &c.optPaleoHorizontal, &c.optPaleoVertical})
        option->enabled = false;
    c.optPaleoHorizontal.checked = true;
    for (ComboBox* box : {&c.cboFoli, &c.cboLine})
        box->enabled = false;
    c.cboRegion.items.assign(ConfidenceRegionNames.begin(), ConfidenceRegionNames.end());
    c.cboRegion.text = c.cboRegion.items.front();
    for (ListBox* list : {&c.lstFoli, &c.lstLine})
        list->enabled = false;
    for (CheckBox* box : {&c.chcF1P, &c.chcF1C, &c.chcF1S, &c.chcL1})
        box->enabled = false;
    for (CheckBox* box : {&c.chcK1, &c.chcK2, &c.chcK3, &c.chcData})
        box->checked = true;

    c.vslSymbolSize.value = 10;
    c.txtSymbolSize.text = "10";

    hide(c.mnuPrevious);
    hide(c.mnuNext);
    hide(c.mnuSave);
    hide(c.mnuSaveAs);
    hide(c.mnuSaveSelectedRecords);
    hide(c.mnuRefresf, true);
    hide(c.mnuSS);
    hide(c.mnuEdit);
    hide(c.mnuGraphics);
    hide(c.mnuCopy);
    hide(c.mnuGraphPrint, true);
    hide(c.mnuSelection);
    hide(c.mnuTools, true);
    return c;
}

} // namespace tesmor::app
