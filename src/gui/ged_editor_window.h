#pragma once

// The geological-data editor frmGED: header boxes, the four orientation-parameter selectors and
// the grid over the editor's cells, with its buttons. Everything it does is the editor's.

#include "app/ged_editor.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLineEdit;

namespace tesmor::gui {

class EditGrid;
class CellGridModel;

class GedEditorWindow : public QDialog
{
public:
    GedEditorWindow(std::shared_ptr<app::GedEditor> editor, QWidget* parent = nullptr);
    ~GedEditorWindow() override;

    app::GedEditor& editor() { return *m_editor; }
    EditGrid* grid() { return m_grid; }

    // The title bar's close and Escape.
    void reject() override;

private:
    QLineEdit* addText(const char* name, std::string app::GedEditorHeader::*field);
    QComboBox* addSelector(const char* name, std::string app::GedEditorHeader::*field,
                           const QStringList& items, const char* hint);
    // Runs a button's operation after storing an edit in progress; closes when it is done.
    void runButton(void (app::GedEditor::*operation)());

    std::shared_ptr<app::GedEditor> m_editor;
    CellGridModel* m_model;
    EditGrid* m_grid;
};

} // namespace tesmor::gui
