#pragma once

// The table view frmTable ("Edit data"): the file header above an editing grid of the loaded
// records, shown modally. Every button and edit goes to app::TableView; the window only shows it.

#include <QDialog>

class QPushButton;
class QVBoxLayout;

namespace tesmor::app {
class TableView;
}

namespace tesmor::gui {

class EditGrid;
class CellGridModel;

class TableWindow : public QDialog
{
public:
    TableWindow(app::TableView& view, QWidget* parent = nullptr);

    // The title bar's close and Escape: with unsaved changes the view asks first.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override; // starts editing the first cell

private:
    void buildHeader(QVBoxLayout* layout);
    void buildButtons(QVBoxLayout* layout);
    // Runs a button's operation after storing the cell being typed; closes when it says so.
    void run(bool (app::TableView::*operation)());
    void reorder(void (app::TableView::*operation)());
    void showModified();

    app::TableView& m_view;
    CellGridModel* m_model;
    EditGrid* m_grid;
    QPushButton* m_save = nullptr;
};

} // namespace tesmor::gui
