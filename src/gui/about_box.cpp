#include "gui/about_box.h"

#include "gui/logo.h"
#include "gui/product_info.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tesmor::gui {

namespace {

QLabel* addLine(QVBoxLayout* layout, const QString& name, const QString& text, bool bold = false)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        font.setPointSize(font.pointSize() + 2);
        label->setFont(font);
    }
    layout->addWidget(label);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName("frmAbout");
    setWindowTitle(product::Name);
    setModal(true);

    auto* row = new QHBoxLayout;
    auto* picture = new QLabel;
    picture->setObjectName("imgLogo");
    picture->setPixmap(Logo(72, devicePixelRatioF()));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture);

    auto* text = new QVBoxLayout;
    addLine(text, "Label1", product::Purpose, true);
    addLine(text, "Label2",
            QString("Version 4.2 %1, released %2").arg(product::Platform, product::ReleaseDate));
    text->addSpacing(8);
    addLine(text, "Label3", product::Maker);
    addLine(text, "Label4", product::PostalAddress);
    addLine(text, "Label5", QString("%1   %2").arg(product::Telephone, product::Fax));
    addLine(text, "Label6", QString("E-mail: %1").arg(product::Email));
    addLine(text, "Label8", product::Authors);
    // The web address opens in the user's browser.
    auto* link = addLine(text, "Label7", QString("<a href=\"%1\">%1</a>").arg(product::WebAddress));
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(false);
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &QLabel::linkActivated, this,
            [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
    row->addLayout(text);

    auto* close = new QPushButton("Close");
    close->setObjectName("cmdClose");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace tesmor::gui
