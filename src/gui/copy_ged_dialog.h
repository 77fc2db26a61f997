#pragma once

// The dialog frmCopyGED: how the specimen names of a data set are matched with the names of a
// geological file before its orientations are merged in.

#include <QDialog>

#include <cstdint>

class QRadioButton;

namespace tesmor::gui {

class CopyGedDialog : public QDialog
{
public:
    // Opens with the option of `mode` selected (1 match from the left, 2 full match).
    explicit CopyGedDialog(std::int16_t mode, QWidget* parent = nullptr);

    // The chosen option: 1 or 2.
    std::int16_t mode() const;

private:
    QRadioButton* m_fromLeft;
    QRadioButton* m_full;
};

} // namespace tesmor::gui
