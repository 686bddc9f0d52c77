#pragma once

#include "app/ui/CZevBaseView.h"
#include "orders/GuideCommands.h"
#include "orders/GuideLoader.h"
#include "orders/OrderGuide.h"
#include "orders/RepricingWorker.h"
#include "orders/views/OrderViewContext.h"
#include "reports/OrderDocuments.h"

#include <QPointer>

#include <functional>

#include <map>
#include <memory>
#include <vector>

class CZevListCtrl;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QSpinBox;

// The order guide: the current account's guide lines, quantities typed as
// cases and singles, in-place edits of the coded columns, moving, duplicating,
// deleting, adding, finding and filtering rows, and placing the order. The
// guide and its rules are the logic's; this class shows rows and passes the
// user's actions on.
class COrderGuideView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::OrderGuide;

    // Column codes of the guide list's per-column flags that edit in place.
    enum Code {
        kDealCode = 1,
        kDiscount = 2,
        kOverride = 3,
        kCases = 4,
        kSingles = 5,
        kPar = 11,
        kInventory = 13,
        kRetail = 14,
        kWarehouse = 15,
        kComment = 26
    };

    COrderGuideView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent = nullptr);
    ~COrderGuideView() override;

    // The unplaced-order warning (for the account list) and the saving of
    // the guide; false keeps the screen.
    bool CanLeave(zev::Screen target) override;

    // Commands (public so tests and tools drive them).
    void SelectRow(int row);
    void SetCases(int cases);
    void SetSingles(int singles);
    void MoveSelected(zev::GuideCommands::Move step);
    void OnDuplicate();
    void OnDelete();
    void OnAdd();
    void OnBackorders();
    void OnFind();
    void OnFindNext();
    void OnFilter(int mask);
    void OnCoopChanged(const QString& text);
    void OnCalculator();
    void OnQuickHistory();
    void OnDetails();
    void OnPlace();
    // Prints the guide: distributor and account, the lines, the totals.
    void OnPrint();
    // Print the guide's lines with blanks to write the order in at the shelf,
    // or the inventory worksheet (par, blanks for the count and the order).
    // Greyed while no guide with lines is loaded for an account.
    void OnPrintBlank();
    void OnPrintWorksheet();
    // Where printing goes: the print dialog unless set (tests print to a
    // PDF file without the dialog). False: nothing is printed.
    void SetPrinterChooser(std::function<bool(QPrinter&)> choose) { m_choosePrinter = std::move(choose); }
    // The spreadsheet of the visible guide on the desktop; the scanner file
    // import through its dialog, or of a file already chosen.
    void OnExport();
    void OnImport();
    bool RunImport(const std::string& path, bool reset);

    bool EditCell(int row, int column);
    void CommitEditor();
    void CancelEditor();
    QWidget* CellEditor() const { return m_editor; }
    int ColumnCode(int column) const;

    // Stops the re-pricing pass and waits for it, applying what it finished.
    void StopWorkers();
    bool Repricing() const { return m_repricing; }
    // While the guide is read the screen refuses its commands.
    bool Loading() const { return m_loading; }

    QMenu* BuildContextMenu(bool onRow);
    void UpdatePrintCommands();
    void PrintGuide(zev::OrderDocuments::GuideForm form);

    zev::OrderGuide& Guide() { return *m_guide; }
    CZevListCtrl* List() const { return m_list; }
    QPushButton* Button(const char* name) const;
    QLineEdit* AddFindText() const { return m_addFind; }
    QComboBox* FilterList() const { return m_filter; }
    QLineEdit* CoopQuantity() const { return m_coop; }
    QSpinBox* CasesField() const { return m_cases; }
    QSpinBox* SinglesField() const { return m_singles; }
    QSpinBox* MoveSpinner() const { return m_move; }
    QLabel* TotalLabel() const { return m_total; }
    QLabel* DescriptionLabel() const { return m_description; }
    int Coop() const { return m_coopQty; }

signals:
    // The guide was read and is shown with its total.
    void GuideLoaded();
    // The background re-pricing pass ended and its prices are shown.
    void RepricingFinished();

protected:
    void OnInitialUpdate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Load();
    void OnLoaded();
    void ShowLoading(bool loading);
    void OnMoveSpinner(int value);
    QWidget* WarehouseEditor(const zev::OrderGuideRow& row);
    void ShowRows(int selectRow);
    void ShowRow(int row);
    QString CellText(const zev::OrderGuideRow& row, int column) const;
    void ShowSelected();
    void ShowTotal();
    void StartRepricing();
    void OnRepricingDone();
    void ApplyRepricing();
    std::vector<int> SelectedRows() const;
    void FillFilters();
    void ShowContextMenu(const QPoint& pos);

    zev::OrderViewContext m_ctx;
    std::unique_ptr<zev::OrderGuide> m_guide;
    zev::GuideLoader m_loader;
    bool m_loading = false;
    bool m_openBackorders = false; // open the backorder dialog once loaded
    zev::RepricingWorker m_worker;
    bool m_repricing = false;
    std::function<bool(QPrinter&)> m_choosePrinter;
    bool m_placed = false;
    int m_coopQty = 0;
    std::string m_findText;
    std::vector<int> m_codes;
    std::vector<std::string> m_headings;

    CZevListCtrl* m_list;
    QLabel* m_description;
    QSpinBox* m_cases;
    QSpinBox* m_singles;
    QSpinBox* m_move;
    QLabel* m_casePrice;
    QLabel* m_singlePrice;
    QLineEdit* m_addFind;
    QComboBox* m_filter;
    QLineEdit* m_coop;
    QLabel* m_total;
    std::map<std::string, QPushButton*> m_buttons;
    QPointer<QWidget> m_editor;
    int m_editRow = -1;
    int m_editColumn = -1;
    bool m_filling = false;
};

CZevBaseView* CreateOrderGuideView(zev::IScreenHost& host, zev::OrderViewContext context);
