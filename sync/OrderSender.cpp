#include "sync/OrderSender.h"

#include "app/core/ZevConfigLayout.h"

#include "app/core/StringTable.h"

#include "sync/RequestBodies.h"
#include "sync/SyncText.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace zev::sync {

OrderSender::OrderSender(SyncEngine& engine, DatabaseBuilder& builder, Uploads& uploads)
    : m_e(engine), m_builder(builder), m_uploads(uploads)
{
}

std::string OrderSender::BuildOrderBody(const Row& order, int* lineCount)
{
    std::string body = OrderHeaderPart(order);
    OrderBodyOptions opt;
    opt.hideRetail = m_e.ConfigByte(cfg::kRetailPriceWithheld) == 1;
    opt.warehouseLimit = m_e.ConfigByte(cfg::kWarehouseLimit);
    Rows lines;
    std::vector<std::string> cols;
    int n = 0;
    if (m_e.Db().Select(Format("Select ReadyOrderItems.*, Items.QtyPerCase from ReadyOrderItems, Items where "
                               "ReadyID=%d and ReadyOrderItems.ItemId = Items.ItemID Order by "
                               "ReadyOrderItems.LineItemNumber",
                               IntAt(order, 1)),
                        lines, &cols)) {
        for (const Row& l : lines) {
            body += OrderLinePart(++n, NamedRow(cols, l), opt);
            m_e.ReportProgress("Preparing Data", static_cast<int>(lines.size()), n);
        }
    }
    body += Format("&T=%d", n);
    if (lineCount)
        *lineCount = n;
    return body;
}

bool OrderSender::EnsureStateTable()
{
    ISyncDb& db = m_e.Db();
    Rows rows;
    if (db.Select(Format("select count(*) from %s", kStateTable), rows))
        return true;
    return db.Exec(kOrderSendStateCreate);
}

std::vector<UnknownOrder> OrderSender::UnknownOutcomes()
{
    std::vector<UnknownOrder> out;
    if (!EnsureStateTable())
        return out;
    Rows rows;
    (void)m_e.Db().Select(Format("select S.ReadyID, S.Started, R.AccountID from %s S, ReadyOrder R where "
                                 "S.ReadyID = R.ReadyID order by S.Started, S.ReadyID",
                                 kStateTable),
                          rows);
    for (const Row& r : rows) {
        UnknownOrder o;
        o.readyId = IntAt(r, 0);
        o.started = At(r, 1);
        Rows acct;
        if (m_e.Db().Select(Format("select AccountNumber, CompanyName from Accounts where AccountID = %d", IntAt(r, 2)),
                            acct) &&
            !acct.empty())
            o.account = TrimBlanks(At(acct[0], 0)) + " " + TrimBlanks(At(acct[0], 1));
        else
            o.account = At(r, 2);
        out.push_back(o);
    }
    return out;
}

bool OrderSender::MaySendAgain(const UnknownOrder& o, UnknownOrders policy)
{
    if (policy == UnknownOrders::Resend)
        return true;
    std::string text = Format("Order %d for account %s may have reached the distributor: its sending started %s and "
                              "no answer came back.",
                              o.readyId, o.account.c_str(), o.started.c_str());
    if (policy == UnknownOrders::Skip) {
        m_e.Box().ShowText(text + " It was not sent again; check with the distributor, then send it again on "
                                  "purpose if it did not arrive.",
                           zev::Caption::Warning, MbButtons::Ok, MbIcon::Warning);
        return false;
    }
    // A second copy at the distributor is the harm here: No is the default.
    return m_e.Box().AskText(text + "\n\nSend it again? Answer No unless you know the distributor does not have it.",
                             zev::Caption::Warning, MbButtons::YesNo, MbIcon::Warning, MbResult::No) == MbResult::Yes;
}

bool OrderSender::SendOrders(int readyId, IProgressSink* window, UnknownOrders unknown)
{
    m_sent = 0;
    m_e.SetProgressWindow(window);
    ISyncDb& db = m_e.Db();
    if (!EnsureStateTable()) {
        m_e.Box().ShowText("The orders cannot be sent: the local database cannot record their sending.",
                           zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    Rows orders;
    bool selected = readyId != 0 ? db.Select(Format("select * from ReadyOrder where ReadyID=%d", readyId), orders)
                                 : db.Select("select * from ReadyOrder Order by ReadyID", orders);
    if (!selected || orders.empty()) {
        m_e.Box().Show(65102, zev::Caption::Information, MbButtons::Ok, MbIcon::Information);
        m_e.ReportProgress("Ready...", 100, 0);
        return true;
    }
    m_e.ReportProgress("Connecting...", 100, 10);
    int conn = m_e.EnsureConnected();
    if (conn == 0) {
        m_e.Box().Show(65063, zev::Caption::Warning, MbButtons::Ok, MbIcon::Warning);
        m_e.ReportProgress("Ready...", 100, 0);
        return true;
    }
    m_e.ReportProgress("Sending Orders...", 100, 20);
    bool result = true;
    int skipped = 0;
    // A mark whose order is gone (deleted, or lost with the user's consent)
    // must not fall on a later order given the same number.
    (void)db.Exec(Format("delete from %s where ReadyID not in (select ReadyID from ReadyOrder)", kStateTable));
    std::vector<UnknownOrder> unknownOrders = UnknownOutcomes();
    std::string bodyFile = m_e.MapPath("\\Temp\\$SORTEMP.TMP");
    for (const Row& order : orders) {
        int id = IntAt(order, 1);
        auto pending = std::find_if(unknownOrders.begin(), unknownOrders.end(),
                                    [id](const UnknownOrder& o) { return o.readyId == id; });
        if (pending != unknownOrders.end()) {
            if (!MaySendAgain(*pending, unknown)) {
                ++skipped;
                continue;
            }
            (void)db.Exec(Format("delete from %s where ReadyID = %d", kStateTable, id));
        }
        std::string body = BuildOrderBody(order);
        {
            // The body goes through its work file as the posting always has.
            std::ofstream f(bodyFile, std::ios::binary | std::ios::trunc);
            if (!f)
                break;
            f << body;
        }
        std::string posted;
        {
            std::ifstream in(bodyFile, std::ios::binary);
            std::ostringstream ss;
            ss << in.rdbuf();
            posted = ss.str();
        }
        std::remove(bodyFile.c_str());
        std::string path = Format("/MobileServer/%s/takeOrders.cfm?p=%s&ID=%s", m_e.MobileVersion().c_str(),
                                  m_e.Password().c_str(), m_e.UserId().c_str());
        // Recorded (and committed) before the body leaves: a kill or a lost
        // answer from here on leaves the mark behind.
        if (!db.Exec(
                Format("insert into %s (ReadyID, Started) values (%d, '%s')", kStateTable, id, m_e.Now().c_str()))) {
            result = false;
            break;
        }
        auto notDelivered = [&] { (void)db.Exec(Format("delete from %s where ReadyID = %d", kStateTable, id)); };
        auto mayHaveArrived = [&] {
            m_e.Box().ShowText(Format("Order %d may have reached the distributor: no answer came back. It is kept on "
                                      "the laptop and is not sent again unless you say so.",
                                      id),
                               zev::Caption::Warning, MbButtons::Ok, MbIcon::Warning);
        };
        if (!m_e.ServerRequest(path, posted)) {
            if (m_e.LastPostMayHaveArrived())
                mayHaveArrived();
            else
                notDelivered();
            result = false;
            break;
        }
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (ContainsText(reply, "<ERROR>")) {
            // The server answered that it did not take the order.
            notDelivered();
            m_e.ShowServerError(reply);
            result = false;
            break;
        }
        if (!ContainsText(reply, "<OK>")) {
            // An empty reply or a page from something in between: the order
            // may have been stored.
            mayHaveArrived();
            result = false;
            break;
        }
        m_e.ReportProgress("Order Sent", 100, 100);
        // The stock is lowered only now that the server has the order, and
        // together with its removal: a failed send followed by a resend can
        // never lower it twice.
        Rows lines;
        std::vector<std::string> cols;
        (void)db.Select(Format("select * from ReadyOrderItems where ReadyID = %d", id), lines, &cols);
        bool tx = db.Begin();
        for (const Row& l : lines) {
            NamedRow line(cols, l);
            int item = line.Int("ItemID");
            Rows itemRows;
            std::vector<std::string> icols;
            int perCase = 12;
            if (db.Select(Format("select * from Items where ItemID = '%d' and deletedflag = 0", item), itemRows,
                          &icols) &&
                !itemRows.empty())
                perCase = NamedRow(icols, itemRows[0]).Int("QtyPerCase");
            int units = line.Int("CQty") * perCase + line.Int("SQty");
            (void)db.Exec(Format("update Items set QtyOnHand = QtyOnHand-%d where itemID=%d", units, item));
        }
        (void)db.Exec(Format("Delete from ReadyOrderItems where ReadyID = %d", id));
        (void)db.Exec(Format("Delete from ReadyOrder where ReadyID = %d", id));
        (void)db.Exec(Format("delete from %s where ReadyID = %d", kStateTable, id));
        if (tx)
            db.Commit();
        ++m_sent;
    }
    if (result && skipped == 0 && m_sent == static_cast<int>(orders.size())) {
        // A refused message reply stays; the download would erase it.
        if (m_uploads.UploadMessages(window) && m_uploads.WaitingIn("Messages") <= 0)
            m_builder.GrabTableForManager("Messages", 1);
        m_e.Box().ShowText(Format(zev::StringTable::Text(65101).c_str(), m_sent), zev::Caption::Information,
                           MbButtons::Ok, MbIcon::Information);
    } else if (m_sent != static_cast<int>(orders.size())) {
        result = false;
        for (const UnknownOrder& o : UnknownOutcomes())
            if (readyId == 0 || o.readyId == readyId)
                m_e.LogSyncError(Format("ORDER %d MAY HAVE REACHED THE DISTRIBUTOR (sending started %s)", o.readyId,
                                        o.started.c_str()));
    }
    if (conn == 2)
        m_e.Disconnect();
    m_e.ReportProgress(result ? "Ready..." : "Error sending orders.", 100, 0);
    return result;
}

} // namespace zev::sync
