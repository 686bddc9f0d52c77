#pragma once

#include "app/ui/CZevDialog.h"

class QRadioButton;

// "Print": the day's itinerary or the day's accomplishments.
class CPrintChoiceDlg : public CZevDialog {
    Q_OBJECT
public:
    enum Choice { Itinerary = 0, Accomplishments = 1 };

    explicit CPrintChoiceDlg(QWidget* parent = nullptr);
    Choice Chosen() const;

private:
    QRadioButton* m_itinerary;
    QRadioButton* m_accomplishments;
};
