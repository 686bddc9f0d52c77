#pragma once

#include "app/ui/CZevBaseView.h"
#include "orders/ExpressEntry.h"
#include "orders/views/OrderViewContext.h"

#include <map>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

// The keypad screen: an item number keyed (on the keypad, the keyboard or a
// scanner) is looked up, then its cases, singles, deal code, discount,
// override, par or inventory are set from the next number keyed. The rules
// and the writing are ExpressEntry's; this class shows its state and passes
// the keys and buttons on. Digit keys and A to D typed in the entry field go
// through the keypad, whose button is shown pressed meanwhile.
class CExpressEntryView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::ExpressEntry;

    CExpressEntryView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent = nullptr);
    ~CExpressEntryView() override;

    // The buttons and labels by layout name; null for an unknown name.
    QPushButton* Button(const char* name) const;
    QLabel* Label(const char* name) const;
    QLineEdit* EntryField() const { return m_entry; }
    // Null when the account has no order guide to write to.
    const zev::ExpressEntry* Logic() const { return m_logic.get(); }

    // Commands (public so tests and tools drive them).
    void OnKey(char key);
    void OnClear();
    void OnLookup();
    void OnCases();
    void OnSingles();
    void OnZero();
    void OnDeal();
    void OnDiscount();
    void OnOverride();
    void OnInvPar();
    void OnDone();
    void OnCancel();

protected:
    void OnInitialUpdate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Act(bool (zev::ExpressEntry::*action)());
    void TakeEntry();
    void GiveEntry();
    void ShowItem();
    void UpdateCommands();
    QPushButton* KeypadButton(int key) const;

    zev::OrderViewContext m_ctx;
    std::unique_ptr<zev::ExpressEntry> m_logic;
    bool m_doneToGuide = false;
    QLineEdit* m_entry;
    std::map<std::string, QPushButton*> m_buttons;
    std::map<std::string, QLabel*> m_labels;
    QPushButton* m_held = nullptr; // the keypad button a held key shows pressed
};

CZevBaseView* CreateExpressEntryView(zev::IScreenHost& host, zev::OrderViewContext context);
