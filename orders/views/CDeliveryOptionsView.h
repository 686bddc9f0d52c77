#pragma once

#include "app/ui/CZevBaseView.h"
#include "orders/DeliveryDays.h"
#include "orders/views/OrderViewContext.h"
#include "reports/PrintDocument.h"

#include <functional>
#include <map>
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace zev {
class IClock;
}

// The order options: delivery day, warehouse, shipping, discount, terms,
// notes, purchase details and the signature; Approve checks them, saves the
// order as a ready order through the logic and goes back to the account list.
class CDeliveryOptionsView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::DeliveryOptions;

    CDeliveryOptionsView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent = nullptr);
    ~CDeliveryOptionsView() override;

    // The approve checks in their order; false names the first failure.
    bool Check();
    void OnApprove();
    void OnCancel();
    void OnSignature();
    // Prints the order as the screen shows it where the user chooses (the
    // print dialog unless a chooser is set); false when nothing was printed.
    bool OnPrint();
    // Prints the order into a PDF file.
    bool PrintTo(const QString& pdfPath);
    // Tests print without the dialog.
    void SetPrinterChooser(std::function<bool(QPrinter&)> choose) { m_choosePrinter = std::move(choose); }

    QComboBox* DeliveryDay() const { return m_day; }
    QComboBox* Warehouse() const { return m_warehouse; }
    QComboBox* Shipping() const { return m_ship; }
    QComboBox* Terms() const { return m_terms; }
    QComboBox* Discount() const { return m_odcList; }
    QComboBox* CardMonth() const { return m_month; }
    QComboBox* CardYear() const { return m_year; }
    QLineEdit* Card() const { return m_card; }
    QLineEdit* Odc() const { return m_odc; }
    QLineEdit* CancelDate() const { return m_cancelDate; }
    QPlainTextEdit* Notes() const { return m_notes; }
    QListWidget* Options() const { return m_options; }
    QPushButton* ApproveButton() const { return m_approve; }
    const std::vector<zev::DeliveryDays::Day>& Days() const { return m_days; }
    void SetSignature(const std::string& encoded) { m_signature = encoded; }

protected:
    void OnInitialUpdate() override;

private:
    void FillDays();
    void FillLookup(QComboBox* box, const char* sql);
    void CopyIntoHeader();
    bool Fail(const std::string& text, QWidget* focus = nullptr);
    void RestoreModified();
    bool PrintOn(QPrinter& printer);
    zev::PrintDocument Document();

    zev::OrderViewContext m_ctx;
    std::unique_ptr<zev::IClock> m_ownClock;
    const zev::IClock* m_clock;
    std::vector<zev::DeliveryDays::Day> m_days;
    std::string m_signature;
    std::function<bool(QPrinter&)> m_choosePrinter;
    QComboBox* m_day;
    QDateEdit* m_picker;
    QComboBox* m_warehouse;
    QComboBox* m_ship;
    QComboBox* m_odcList;
    QComboBox* m_terms;
    QLineEdit* m_odc;
    QLineEdit* m_cancelDate;
    QLineEdit* m_card;
    QComboBox* m_month;
    QComboBox* m_year;
    QPlainTextEdit* m_notes;
    QListWidget* m_options;
    QLabel* m_odcLabel;
    QLabel* m_cancelLabel;
    QLabel* m_cardLabel;
    QPushButton* m_approve;
};

CZevBaseView* CreateDeliveryOptionsView(zev::IScreenHost& host, zev::OrderViewContext context);
