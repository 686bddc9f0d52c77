#pragma once

#include "app/ui/CZevDialog.h"

namespace zev {
class ZevConfig;
}

// The about box: program name and version, and the distributor's support
// telephone number from its settings record.
class CAboutDlg : public CZevDialog {
    Q_OBJECT
public:
    CAboutDlg(const zev::ZevConfig& config, const std::string& settingsPath, QWidget* parent = nullptr);
};
