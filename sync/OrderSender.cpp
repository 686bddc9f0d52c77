#include "sync/OrderSender.h"

#include "app/core/StringTable.h"

#include "sync/RequestBodies.h"
#include "sync/SyncText.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace zev::sync {

OrderSender::OrderSender(SyncEngine& engine, DatabaseBuilder& builder, Uploads& uploads)
    : m_e(engine)
    , m_builder(builder)
    , m_uploads(uploads)
{
}

std::string OrderSender::BuildOrderBody(const Row& order, int* lineCount)
{
    std::string body = OrderHeaderPart(order);
    OrderBodyOptions opt;
    opt.hideRetail = m_e.ConfigByte(109) == 1;
    opt.warehouseLimit = m_e.ConfigByte(17701);
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
    if (lineCount) *lineCount = n;
    return body;
}

bool OrderSender::SendOrders(int readyId, IProgressSink* window)
{
    m_sent = 0;
    m_e.SetProgressWindow(window);
    ISyncDb& db = m_e.Db();
    Rows orders;
    bool selected = readyId != 0 ? db.Select(Format("select * from ReadyOrder where ReadyID=%d", readyId), orders)
                                 : db.Select("select * from ReadyOrder Order by ReadyID", orders);
    if (!selected || orders.empty()) {
        m_e.Box().Show(65102, 65097, MbButtons::Ok, MbIcon::Information);
        m_e.ReportProgress("Ready...", 100, 0);
        return true;
    }
    m_e.ReportProgress("Connecting...", 100, 10);
    int conn = m_e.EnsureConnected();
    if (conn == 0) {
        m_e.Box().Show(65063, 65098, MbButtons::Ok, MbIcon::Warning);
        m_e.ReportProgress("Ready...", 100, 0);
        return true;
    }
    m_e.ReportProgress("Sending Orders...", 100, 20);
    bool result = true;
    std::string bodyFile = m_e.MapPath("\\Temp\\$SORTEMP.TMP");
    for (const Row& order : orders) {
        int id = IntAt(order, 1);
        std::string body = BuildOrderBody(order);
        {
            // The body goes through its work file as the posting always has.
            std::ofstream f(bodyFile, std::ios::binary | std::ios::trunc);
            if (!f) break;
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
        if (!m_e.ServerRequest(path, posted)) {
            result = false;
            break;
        }
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (reply.empty()) {
            result = false;
            break;
        }
        if (ContainsText(reply, "<ERROR>")) {
            m_e.ShowServerError(reply);
            result = false;
            break;
        }
        if (!ContainsText(reply, "<OK>")) {
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
            if (db.Select(Format("select * from Items where ItemID = '%d' and deletedflag = 0", item), itemRows, &icols) &&
                !itemRows.empty())
                perCase = NamedRow(icols, itemRows[0]).Int("QtyPerCase");
            int units = line.Int("CQty") * perCase + line.Int("SQty");
            (void)db.Exec(Format("update Items set QtyOnHand = QtyOnHand-%d where itemID=%d", units, item));
        }
        (void)db.Exec(Format("Delete from ReadyOrderItems where ReadyID = %d", id));
        (void)db.Exec(Format("Delete from ReadyOrder where ReadyID = %d", id));
        if (tx) db.Commit();
        ++m_sent;
    }
    if (result && m_sent == static_cast<int>(orders.size())) {
        m_uploads.UploadMessages(window);
        m_builder.GrabTableForManager("Messages", 1);
        m_e.Box().ShowText(Format(zev::StringTable::Text(65101).c_str(), m_sent), 65097, MbButtons::Ok,
                           MbIcon::Information);
    } else if (m_sent != static_cast<int>(orders.size())) {
        result = false;
    }
    if (conn == 2) m_e.Disconnect();
    m_e.ReportProgress(result ? "Ready..." : "Error sending orders.", 100, 0);
    return result;
}

} // namespace zev::sync
