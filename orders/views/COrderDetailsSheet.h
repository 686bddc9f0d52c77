#pragma once

#include "orders/OrderDetails.h"

#include <QDialog>

class CZevListCtrl;
class QFormLayout;

// "Order Details": one order's header (number, date, account, status,
// totals) above its lines in a list. Read only; Escape or Close ends it.
class COrderDetailsSheet : public QDialog {
    Q_OBJECT
public:
    explicit COrderDetailsSheet(const zev::OrderDetails& details, QWidget* parent = nullptr);

    CZevListCtrl* Lines() const { return m_lines; }
    // The header value shown for a label ("Order", "Date", ...); empty when
    // the sheet has none.
    QString HeaderValue(const QString& label) const;

private:
    QFormLayout* m_header;
    CZevListCtrl* m_lines;
};
