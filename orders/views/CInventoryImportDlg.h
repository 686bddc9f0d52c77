#pragma once

#include "app/ui/CZevDialog.h"
#include "orders/InventoryImport.h"

#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zev {
class IMessageBox;
}

// Which scanner file to import and whether its counts replace those in the
// guide or are added to them. The import itself is the guide screen's.
class CInventoryImportDlg : public CZevDialog {
    Q_OBJECT
public:
    // Asks for an existing file: (parent, file offered, filter); "" when the
    // user cancelled. Tests pass their own; empty uses the file chooser.
    using ChooseFn = std::function<std::string(QWidget*, const std::string&, const std::string&)>;

    CInventoryImportDlg(zev::InventoryImport::Kind kind, const std::string& path, zev::IMessageBox& box,
                        ChooseFn choose = {}, QWidget* parent = nullptr);

    std::string Path() const;
    // True: the counts replace the guide's (type 1); false: they are added.
    bool Reset() const;

    void OnBrowse();

    QLineEdit* PathField() const { return m_path; }
    QCheckBox* ResetBox() const { return m_reset; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* BrowseButton() const { return m_browse; }

    // The chooser's filter for each kind.
    static std::string Filter(zev::InventoryImport::Kind kind);

private:
    zev::InventoryImport::Kind m_kind;
    zev::IMessageBox& m_box;
    ChooseFn m_choose;
    QLineEdit* m_path;
    QPushButton* m_browse;
    QCheckBox* m_reset;
    QPushButton* m_ok;
};
