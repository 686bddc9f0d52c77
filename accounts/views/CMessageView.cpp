#include "accounts/views/CMessageView.h"

#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevFolders.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

constexpr int kNoMessages = 65139;

} // namespace

CMessageView::CMessageView(zev::IScreenHost& host, QWidget* parent)
    : CZevBaseView(host, "MessageView", parent),
      m_replies(std::make_unique<zev::QuickReplies>(host.Folders().DataDir(), host.Folders().ProgramDir())),
      m_list(new CZevListCtrl(this)), m_text(new QPlainTextEdit(this)), m_replyList(new QComboBox(this)),
      m_reply(new QPushButton(tr("&Reply"), this)), m_delete(new QPushButton(tr("&Delete"), this))
{
}

CMessageView::~CMessageView() = default;

void CMessageView::OnInitialUpdate()
{
    Host().SetScreenTitleText("Message Center");
    zev::ListDefinition list;
    list.name = "MessageInbox";
    list.headings = {"Stat", "From", "Subject"};
    list.widths = {40, 120, 320};
    list.formats = {2, 0, 0};
    list.order = {1, 2, 3};
    m_list->Setup(list, nullptr);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAccessibleName(tr("Inbox"));
    auto* inboxLabel = new QLabel(tr("&Inbox"), this);
    inboxLabel->setBuddy(m_list);
    m_text->setAccessibleName(tr("Message text and reply"));
    auto* replyLabel = new QLabel(tr("&Quick replies:"), this);
    replyLabel->setBuddy(m_replyList);
    m_replyList->setAccessibleName(tr("Quick replies"));
    m_reply->setAccessibleName(tr("Reply"));
    m_delete->setAccessibleName(tr("Delete"));

    auto* replies = new QHBoxLayout;
    replies->addWidget(replyLabel);
    replies->addWidget(m_replyList, 1);
    replies->addWidget(m_reply);
    replies->addWidget(m_delete);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inboxLabel);
    layout->addWidget(m_list, 2);
    layout->addWidget(m_text, 1);
    layout->addLayout(replies);

    AddControl(kInbox, QStringLiteral("LST_INBOX"), m_list);
    AddControl(QStringLiteral("LBL_INBOX"), inboxLabel);
    AddControl(kMessage, QStringLiteral("EDT_MESSAGE"), m_text);
    AddControl(kReplies, QStringLiteral("LST_REPLY"), m_replyList);
    AddControl(QStringLiteral("LBL_REPLY"), replyLabel);
    AddControl(kReply, QStringLiteral("BTN_REPLY"), m_reply);
    AddControl(kDelete, QStringLiteral("BEN_DELETE"), m_delete);
    LayOut();

    m_replies->Load();
    for (const std::string& r : m_replies->Items())
        m_replyList->addItem(QString::fromStdString(r));
    m_replyList->setCurrentIndex(-1);

    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { SelectRow(current.row()); });
    connect(m_replyList, qOverload<int>(&QComboBox::activated), this, &CMessageView::OnQuickReply);
    connect(m_reply, &QPushButton::clicked, this, &CMessageView::OnReply);
    connect(m_delete, &QPushButton::clicked, this, &CMessageView::OnDelete);

    const int userId = std::atoi(Host().UserProfile().UserID().c_str());
    if (!m_center.LoadInbox(userId, m_items))
        m_items.clear();
    ShowRows(-1);
    if (m_items.empty())
        Host().Messages().Show(kNoMessages, zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                               zev::MbIcon::Information);
    m_list->setFocus();
}

void CMessageView::ShowRows(int select)
{
    std::vector<QStringList> rows;
    for (const zev::MessageItem& m : m_items)
        rows.push_back({QString::fromStdString(zev::MessageCenter::StatusLetter(m.status)),
                        QString::fromStdString(m.senderName), QString::fromStdString(m.subject)});
    m_list->Model()->SetRows(std::move(rows));
    m_selected = -1;
    if (select >= 0 && select < static_cast<int>(m_items.size()))
        m_list->selectionModel()->setCurrentIndex(m_list->Model()->index(select, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_reply->setEnabled(Current() >= 0);
    m_delete->setEnabled(Current() >= 0);
}

int CMessageView::Current() const
{
    return m_selected >= 0 && m_selected < static_cast<int>(m_items.size()) ? m_selected : -1;
}

void CMessageView::ShowRow(int row)
{
    m_list->Model()->SetCell(
        row, 0,
        QString::fromStdString(zev::MessageCenter::StatusLetter(m_items[static_cast<std::size_t>(row)].status)));
}

// Selecting a message shows it and marks it read.
void CMessageView::SelectRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_items.size())) {
        m_selected = -1;
        m_reply->setEnabled(false);
        m_delete->setEnabled(false);
        return;
    }
    if (m_list->CurrentRow() != row) {
        m_list->selectionModel()->setCurrentIndex(m_list->Model()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return; // comes back through the selection signal
    }
    m_selected = row;
    zev::MessageItem& item = m_items[static_cast<std::size_t>(row)];
    m_text->setPlainText(QString::fromStdString(item.text));
    if (!m_center.MarkRead(item))
        Host().Messages().ShowText("The message could not be marked read.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
    ShowRow(row);
    m_reply->setEnabled(true);
    m_delete->setEnabled(true);
}

void CMessageView::OnQuickReply(int index)
{
    if (index >= 0)
        m_text->setPlainText(m_replyList->itemText(index));
}

void CMessageView::OnReply()
{
    const int row = Current();
    if (row < 0)
        return;
    const std::string text = m_text->toPlainText().toStdString();
    if (text.empty()) {
        Host().Messages().ShowText("Please enter text in the reply area.", zev::ids::kCaptionInformation,
                                   zev::MbButtons::Ok, zev::MbIcon::Information);
        return;
    }
    if (!m_replies->Contains(text) && m_replies->Add(text))
        m_replyList->addItem(QString::fromStdString(text));
    zev::MessageItem& item = m_items[static_cast<std::size_t>(row)];
    if (!m_center.Reply(item, text)) {
        Host().Messages().ShowText("The reply could not be saved.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
        return;
    }
    ShowRow(row);
}

void CMessageView::OnDelete()
{
    const int row = Current();
    if (row < 0)
        return;
    zev::MessageItem& item = m_items[static_cast<std::size_t>(row)];
    if (!m_center.Delete(item) || item.status != 9) {
        Host().Messages().ShowText("The message could not be deleted.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
        return;
    }
    m_items.erase(m_items.begin() + row);
    m_text->clear();
    ShowRows(-1);
}

CZevBaseView* CreateMessageView(zev::IScreenHost& host) { return new CMessageView(host); }
