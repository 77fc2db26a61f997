#pragma once

// The about box frmAbout: who makes the program and a link to its web address.

#include <QDialog>

namespace tesmor::gui {

class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace tesmor::gui
