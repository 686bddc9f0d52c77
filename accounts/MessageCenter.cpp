#include "accounts/MessageCenter.h"

#include "base/AtomicFile.h"
#include "tables/Messages.h"
#include "tables/SqlText.h"
#include "tabula/CVORecordset.h"

#include <filesystem>
#include <fstream>

namespace zev {

namespace {

bool Ran(Query& q) { return q.getRS() != nullptr && q.getRS()->GetLastError().empty(); }

// Runs one status change in its own transaction; true when it ran.
bool RunAlone(Messages& m, const std::string& sql)
{
    if (m.beginTransaction() == 0)
        return false;
    m.Exec(sql);
    if (!Ran(m) || m.commitTransaction() == 0) {
        m.rollbackTransaction();
        return false;
    }
    return true;
}

const char* const kDefaultReplies[] = {"Yes", "No", "Call Me", "I Will Call You"};

} // namespace

MessageCenter::MessageCenter(int poolKey) : m_poolKey(poolKey) {}

std::string MessageCenter::StatusLetter(int status)
{
    switch (status) {
    case 0:
        return "N";
    case 1:
        return "R";
    case 2:
        return "<";
    case 9:
        return "D";
    default:
        return "";
    }
}

bool MessageCenter::LoadInbox(int userId, std::vector<MessageItem>& items) const
{
    items.clear();
    Messages m(m_poolKey);
    if (m.Open(SqlText::Format("Select * from Messages where ToID = %d and ToStatus < 9", userId)) == 0)
        return Ran(m);
    for (; m.IsEOF() == 0; m.MoveNext()) {
        MessageItem item;
        item.messageId = m.GetFieldValueInt(0);
        if (item.messageId <= 0)
            continue;
        item.fromId = m.GetFieldValueInt(1);
        item.fromStatus = m.GetFieldValueInt(2);
        item.senderName = SqlText::Trim(m.GetFieldValueString(3));
        item.toId = m.GetFieldValueInt(4);
        item.status = m.GetFieldValueInt(5);
        item.subject = SqlText::Trim(m.GetFieldValueString(7));
        item.text = SqlText::Trim(m.GetFieldValueString(8));
        items.push_back(std::move(item));
    }
    return true;
}

bool MessageCenter::MarkRead(MessageItem& item) const
{
    Messages m(m_poolKey);
    if (!RunAlone(m, SqlText::Format("update messages set tostatus=1, updated=1 where messageid=%d and tostatus=0",
                                     item.messageId)))
        return false;
    if (item.status == 0)
        item.status = 1;
    return true;
}

bool MessageCenter::Delete(MessageItem& item) const
{
    Messages m(m_poolKey);
    if (!RunAlone(m, SqlText::Format("update messages set tostatus=9, updated=1 where messageid=%d and (tostatus=1 or "
                                     "tostatus=2)",
                                     item.messageId)))
        return false;
    if (item.status == 1 || item.status == 2)
        item.status = 9;
    return true;
}

bool MessageCenter::Reply(MessageItem& item, const std::string& text) const
{
    Messages m(m_poolKey);
    if (m.beginTransaction() == 0)
        return false;
    m.Exec(
        SqlText::Format("update messages set tostatus=2, updated=1 where messageid=%d and tostatus=1", item.messageId));
    bool ok = Ran(m);
    if (ok) {
        const std::string subject = SqlText::Clean("RE: " + item.subject);
        m.Exec(SqlText::Format("Insert into Messages (MessageID, ToId, FromID, Subject, Message, Updated) values (0, "
                               "%d, %d, '%s', '%s', 1)",
                               item.fromId, item.toId, subject.c_str(), SqlText::Clean(text).c_str()));
        ok = Ran(m) && m.getRS()->GetRowsAffected() == 1;
    }
    if (!ok || m.commitTransaction() == 0) {
        m.rollbackTransaction();
        return false;
    }
    if (item.status == 1)
        item.status = 2;
    return true;
}

QuickReplies::QuickReplies(std::string dataDir, std::string programDir)
    : m_dataDir(std::move(dataDir)), m_programDir(std::move(programDir))
{
}

std::string QuickReplies::Path() const { return (std::filesystem::path(m_dataDir) / "replies.txt").string(); }

void QuickReplies::Load()
{
    m_items.clear();
    const std::string path = Path();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // Seed from the distributor's file; the installation folder is never
        // written.
        std::string seed;
        std::ifstream distributor(std::filesystem::path(m_programDir) / "replies.txt", std::ios::binary);
        if (distributor) {
            seed.assign(std::istreambuf_iterator<char>(distributor), std::istreambuf_iterator<char>());
        } else {
            for (const char* line : kDefaultReplies)
                seed += std::string(line) + "\r\n";
        }
        std::string error;
        if (!WriteFileAtomically(path, seed, 0600, &error)) {
            for (const char* line : kDefaultReplies)
                m_items.emplace_back(line);
            return;
        }
    }
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (line.size() > 254)
            line.resize(254);
        if (!line.empty())
            m_items.push_back(line);
    }
}

bool QuickReplies::Contains(const std::string& text) const
{
    for (const std::string& item : m_items)
        if (item == text)
            return true;
    return false;
}

bool QuickReplies::Add(const std::string& text)
{
    if (text.empty() || Contains(text) || text.find_first_of("\r\n") != std::string::npos)
        return false;
    std::ofstream out(Path(), std::ios::binary | std::ios::app);
    if (!out)
        return false;
    out << text << "\r\n";
    out.flush();
    if (!out)
        return false;
    m_items.push_back(text);
    return true;
}

} // namespace zev
