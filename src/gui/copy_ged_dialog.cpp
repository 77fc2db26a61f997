#include "gui/copy_ged_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tesmor::gui {

CopyGedDialog::CopyGedDialog(std::int16_t mode, QWidget* parent)
    : QDialog(parent)
    , m_fromLeft(new QRadioButton("Match from the &left: the specimen name begins with the "
                                  "name in the geological file",
                                  this))
    , m_full(new QRadioButton("&Full match: the names are equal", this))
{
    setObjectName("frmCopyGED");
    setWindowTitle("Copy geological data");
    setModal(true);
    m_fromLeft->setObjectName("optMatchFromLeft");
    m_full->setObjectName("optFullMatch");
    (mode == 2 ? m_full : m_fromLeft)->setChecked(true);

    auto* cont = new QPushButton("&Continue", this);
    cont->setObjectName("cmdContinue");
    cont->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cmdCancel");
    connect(cont, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("How are the specimen names matched with the names in the "
                                 "geological file (case is ignored)?",
                                 this));
    layout->addWidget(m_fromLeft);
    layout->addWidget(m_full);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cont);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

std::int16_t CopyGedDialog::mode() const
{
    return m_full->isChecked() ? 2 : 1;
}

} // namespace tesmor::gui
