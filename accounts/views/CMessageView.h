#pragma once

#include "accounts/MessageCenter.h"
#include "app/ui/CZevBaseView.h"

#include <memory>
#include <vector>

class CZevListCtrl;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

// The message center: the representative's messages with their status
// letters, the text of the selected one, replies (typed or chosen from the
// quick replies) and deleting. The message logic stores every change.
class CMessageView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::MessageCenter;
    static constexpr int kInbox = 1197;
    static constexpr int kMessage = 1134;
    static constexpr int kReplies = 1198;
    static constexpr int kReply = 1201;
    static constexpr int kDelete = 1202;

    explicit CMessageView(zev::IScreenHost& host, QWidget* parent = nullptr);
    ~CMessageView() override;

    void SelectRow(int row);
    void OnQuickReply(int index);
    void OnReply();
    void OnDelete();

    const std::vector<zev::MessageItem>& Items() const { return m_items; }
    const zev::QuickReplies& Replies() const { return *m_replies; }
    CZevListCtrl* List() const { return m_list; }
    QPlainTextEdit* TextBox() const { return m_text; }
    QComboBox* ReplyList() const { return m_replyList; }
    QPushButton* ReplyButton() const { return m_reply; }
    QPushButton* DeleteButton() const { return m_delete; }

protected:
    void OnInitialUpdate() override;

private:
    void ShowRows(int select);
    void ShowRow(int row);
    int Current() const;

    zev::MessageCenter m_center;
    std::unique_ptr<zev::QuickReplies> m_replies;
    std::vector<zev::MessageItem> m_items;
    int m_selected = -1;
    CZevListCtrl* m_list;
    QPlainTextEdit* m_text;
    QComboBox* m_replyList;
    QPushButton* m_reply;
    QPushButton* m_delete;
};

// The frame's factory for screen 19.
CZevBaseView* CreateMessageView(zev::IScreenHost& host);
