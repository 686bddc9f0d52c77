#pragma once

#include "accounts/AccountDetails.h"
#include "accounts/views/AccountsViewContext.h"
#include "app/ui/CZevBaseView.h"

#include <map>
#include <memory>

class CZevListCtrl;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

// The current account's address, contacts, comments and attributes, and the
// representative's dated notes with adding and deleting. The account editor
// and the forms dialog open from here.
class CAccountDetailsView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::AccountDetails;
    static constexpr int kTitle = 11;
    static constexpr zev::Screen kScreenOrderGuide = zev::Screen::OrderGuide;
    static constexpr zev::Screen kScreenOrderHistory = zev::Screen::OrderHistory;

    // Control ids.
    static constexpr int kCompanyName = 1004;
    static constexpr int kAddress1 = 1005;
    static constexpr int kCityLine = 1006;
    static constexpr int kContact1 = 1007;
    static constexpr int kContact2 = 1008;
    static constexpr int kComment1 = 1009;
    static constexpr int kPhone = 1010;
    static constexpr int kFax = 1095;
    static constexpr int kComment2 = 1250;
    static constexpr int kOrderHistory = 1020;
    static constexpr int kForms = 1616;
    static constexpr int kEditAccount = 1021;
    static constexpr int kNoteEdit = 1022;
    static constexpr int kNoteSave = 1023;
    static constexpr int kNoteDelete = 1412;
    static constexpr int kNotes = 1247;
    static constexpr int kOrderGuide = 1024;
    static constexpr int kAttributes = 1539;

    CAccountDetailsView(zev::IScreenHost& host, zev::AccountsViewContext context, QWidget* parent = nullptr);
    ~CAccountDetailsView() override;

    void OnSaveNote();
    void OnDeleteNote();
    void OnEditAccount();
    void OnForms();

    QLabel* Label(int id) const;
    QPushButton* Button(int id) const;
    QLineEdit* NoteEdit() const { return m_noteEdit; }
    CZevListCtrl* Notes() const { return m_notes; }
    QListView* AttributeList() const { return m_attributes; }
    const zev::AccountDetails& Details() const { return *m_details; }

protected:
    void OnInitialUpdate() override;

private:
    void ShowAccount();
    void ShowNotes();
    void UpdateNoteButtons();

    zev::AccountsViewContext m_context;
    std::unique_ptr<zev::AccountDetails> m_details;
    std::map<int, QLabel*> m_labels;
    std::map<int, QPushButton*> m_buttons;
    QLineEdit* m_noteEdit;
    CZevListCtrl* m_notes;
    QLabel* m_attributesLabel;
    QListView* m_attributes;
    QStringListModel* m_attributeRows;
};

CZevBaseView* CreateAccountDetailsView(zev::IScreenHost& host, zev::AccountsViewContext context);
