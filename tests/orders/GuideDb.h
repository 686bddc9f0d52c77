#pragma once

#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

namespace zev::test {

// A schema-built database with helpers to put items, guides and lines in.
class GuideDb : public ::testing::Test {
protected:
    void AddItem(int id, const std::string& description, int perCase, int kind = 1, int deleted = 0)
    {
        ASSERT_TRUE(db.Exec("insert into Items (ItemID, Description, QtyPerCase, ProductKind, QtyOnHand, DeletedFlag, "
                            "ItemFlags, SellMultiple, UPC, DistributorSKU, CatalogPage, CategoryID) values (" +
                            std::to_string(id) + ", '" + description + "', " + std::to_string(perCase) + ", " +
                            std::to_string(kind) + ", 500, " + std::to_string(deleted) + ", 0, 0, 'U" +
                            std::to_string(id) + "', 'S" + std::to_string(id) + "', '1', 1)"));
    }
    void AddGuide(int account, int guide = 3, int updated = 0)
    {
        ASSERT_TRUE(db.Exec("insert into WorkOrder values (" + std::to_string(account) + ", " + std::to_string(guide) +
                            ", " + std::to_string(updated) + ", 1)"));
    }
    // A line with its quantities as stored: cases and singles.
    void AddLine(int account, int line, int item, int cases = 0, int singles = 0, const std::string& extra = "",
                 int guide = 3)
    {
        ASSERT_TRUE(db.Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, catalogID, CaseQTY, "
                            "SingleQTY, CDistPrice, SDistPrice, LastQty, OrderCount, LineItemNumber, SpecialFlag, "
                            "DiscountAmount, PriceOverride, Par, Inv, RetailPrice, Warehouse, Filter, LineComment, "
                            "HTDItemCount, Updated) values (" +
                            std::to_string(account) + ", " + std::to_string(guide) + ", " + std::to_string(item) +
                            ", 10, " + std::to_string(cases) + ", " + std::to_string(singles) + ", 24.0, 2.5, 0, 0, " +
                            std::to_string(line) + ", '0', '0', '0', 0, 0, 0, 0, 0, '', 5, 0)"));
        if (!extra.empty()) {
            ASSERT_TRUE(db.Exec("update WorkOrderItems set " + extra + " where AccountID = " + std::to_string(account) +
                                " and LineItemNumber = " + std::to_string(line)));
        }
    }
    // A statement run on a connection of its own, beside Tabula (triggers
    // that make a chosen write fail).
    bool RawExec(const std::string& sql)
    {
        sqlite3* raw = nullptr;
        bool ok = sqlite3_open(db.Path().c_str(), &raw) == SQLITE_OK &&
                  sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(raw);
        return ok;
    }
    int Int(const std::string& sql) { return db.ScalarInt(sql); }
    std::string Text(const std::string& sql) { return db.Scalar(sql); }
    // Item IDs of the account's guide in line order.
    std::string LineOrder(int account)
    {
        return Text("select group_concat(ItemID, ',') from (select ItemID from WorkOrderItems where AccountID = " +
                    std::to_string(account) + " order by LineItemNumber)");
    }

    TestDatabase db;
};

} // namespace zev::test
