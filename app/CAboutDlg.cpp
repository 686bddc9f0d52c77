#include "app/CAboutDlg.h"

#include "app/core/ZevConfig.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(const zev::ZevConfig& config, const std::string& settingsPath, QWidget* parent)
    : CZevDialog(parent)
{
    setWindowTitle(tr("About ZevSatchel"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/satchel.png")).pixmap(48, 48));
    auto* exeName = new QLabel(tr("ZevSatchel"), this);
    QFont bold = exeName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    exeName->setFont(bold);
    auto* version = new QLabel(tr("Version %1").arg(QApplication::applicationVersion()), this);
    auto* assistance = new QLabel(tr("For assistance call:"), this);
    auto* phone = new QLabel(this);
    phone->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* copyright = new QLabel(tr("Sales-force tool for field representatives"), this);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(exeName, 0, 1);
    grid->addWidget(version, 1, 1);
    grid->addWidget(copyright, 2, 1);
    grid->addWidget(assistance, 3, 1);
    grid->addWidget(phone, 4, 1);
    grid->addWidget(ok, 5, 1, Qt::AlignRight);

    AddControl(1001, QStringLiteral("IMG_ICON"), icon);
    AddControl(1002, QStringLiteral("LBL_EXENAME"), exeName);
    AddControl(1003, QStringLiteral("LBL_VERSION"), version);
    AddControl(1004, QStringLiteral("LBL_ASSISTANCE"), assistance);
    AddControl(1005, QStringLiteral("LBL_PHONE"), phone);
    AddControl(1, QStringLiteral("BTN_OK"), ok);
    AddControl(1006, QStringLiteral("LBL_COPYRIGHT"), copyright);
    LayOut("AboutBox", settingsPath);
    // The distributor's number wins over any label in the layout record.
    phone->setText(QString::fromStdString(config.Text(zev::cfg::kPhoneText)));
}
