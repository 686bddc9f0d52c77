#pragma once

#include "SyncFakes.h"

#include "sync/DatabaseBuilder.h"
#include "sync/OrderSender.h"
#include "sync/SyncRunner.h"
#include "sync/SyncStack.h"
#include "sync/TabulaSyncDb.h"
#include "sync/Uploads.h"
#include "tabula/Tabula.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace zev::sync::test {

// The engine over the fakes and a real database built from the kit's schema
// file, with a scripted server that answers grabdata from `tables`.
class SyncWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy_file(std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevSchema.ini",
                                   w.dir.File("ZevSchema.ini"));
        DBLib::SetDatabaseFolder(w.dir.Path());
        ASSERT_TRUE(db.OpenAdmin());
        w.profile.values["DBVersion"] = "1.0";
        tables["Items"] = "ItemID,QtyPerCase,QtyOnHand,DeletedFlag,UPC,DistributorSKU,Description\n2\n"
                          "1001^12^100^0^0123^SKU1^Red wine\n1002^6^50^0^^SKU2^Water\n";
        tables["Accounts"] = "AccountID,CompanyName,AccountNumber\n1\n5001^Bar & Grill^A-1\n";
        tables["PricingScheme"] = "ItemID,CatalogID\n1\n1001^1\n";
        w.transport.handler = [this](const ScriptedTransport::Request& r) { return Answer(r); };
        services.helpers.compress = [this](const char*, int) {
            ++compresses;
            db.CloseAll();
            std::filesystem::copy_file(w.dir.File("master.db"), w.dir.File("master.db.gz"),
                                       std::filesystem::copy_options::overwrite_existing);
            return 1;
        };
        services.helpers.uncompress = [this](const char*, int) {
            ++uncompresses;
            db.CloseAll();
            if (!std::filesystem::exists(w.dir.File("master.db.gz")))
                return 0;
            std::filesystem::copy_file(w.dir.File("master.db.gz"), w.dir.File("master.db"),
                                       std::filesystem::copy_options::overwrite_existing);
            return 1;
        };
        services.helpers.setTime = [this](int y, int, int, int, int, int) {
            clockYear = y;
            return 1;
        };
        // Built as the program and the companion build it, over the fakes.
        stack = std::make_unique<SyncStack>(services);
        engine = &stack->Engine();
        builder = &stack->Builder();
        uploads = &stack->Upload();
        runner = &stack->Runner();
        sender = &stack->Orders();
        ASSERT_EQ(builder->RebuildTable("ALL"), 0);
    }
    void TearDown() override
    {
        stack.reset();
        db.CloseAll();
        QueryPool::DestroyAll();
    }

    static std::string Param(const std::string& path, const std::string& name)
    {
        size_t p = path.find(name + "=");
        if (p == std::string::npos)
            return {};
        p += name.size() + 1;
        size_t e = path.find('&', p);
        return path.substr(p, e == std::string::npos ? std::string::npos : e - p);
    }

    // What the scripted server answers when nothing is queued.
    ScriptedTransport::Reply Answer(const ScriptedTransport::Request& r)
    {
        const std::string& p = r.path;
        if (p.find("grabdata.cfm") != std::string::npos) {
            std::string name = Param(p, "Tablenames");
            if (failTable == name)
                return {0, "<ERROR>Bad password</ERROR>\n"};
            if (name == "Inventory")
                return {0, "Inventory\nItemID,QtyOnHand\n1\n1001^77\n"};
            auto it = tables.find(name);
            return {0, name + "\n" + (it == tables.end() ? std::string("X\n0\n") : it->second)};
        }
        if (p.find("goodmorning.cfm") != std::string::npos)
            return {0, "<DATA><YEAR>2030</YEAR><MONTH>1</MONTH><DAY>2</DAY><HOUR>3</HOUR><MINUTE>4</MINUTE>"
                       "<SECOND>5</SECOND></DATA>\n"};
        if (p.find("takeOrders.cfm") != std::string::npos)
            return {0, "<OK>\n"};
        // The notes page's "1" means "not taken".
        if (p.find("updateNotes.cfm") != std::string::npos)
            return {0, "0\n"};
        if (p.find("UpdateMessages.cfm") != std::string::npos || p.find("UpdateWo.cfm") != std::string::npos ||
            p.find("UpdateFormsFilled.cfm") != std::string::npos ||
            p.find("updateInvImportInfo.cfm") != std::string::npos)
            return {0, "SUCCESS\n"};
        return {0, "1\n"};
    }

    int Count(const std::string& sql)
    {
        Rows r;
        return db.Select(sql, r) && !r.empty() ? std::atoi(r[0][0].c_str()) : -1;
    }
    std::vector<std::string> Pages() const
    {
        std::vector<std::string> out;
        for (const auto& r : w.transport.requests) {
            std::string page = r.path.substr(0, r.path.find('?'));
            page = page.substr(page.rfind('/') + 1);
            if (page == "grabdata.cfm")
                page += ":" + Param(r.path, "Tablenames");
            out.push_back(page);
        }
        return out;
    }
    const ScriptedTransport::Request* FindRequest(const std::string& page) const
    {
        for (const auto& r : w.transport.requests)
            if (r.path.find(page) != std::string::npos)
                return &r;
        return nullptr;
    }

    FakeWorld w;
    TabulaSyncDb db;
    SyncServices services = w.Services(&db);
    std::map<std::string, std::string> tables;
    std::string failTable;
    int compresses = 0, uncompresses = 0, clockYear = 0;
    std::unique_ptr<SyncStack> stack;
    SyncEngine* engine = nullptr;
    DatabaseBuilder* builder = nullptr;
    Uploads* uploads = nullptr;
    SyncRunner* runner = nullptr;
    OrderSender* sender = nullptr;
};

} // namespace zev::sync::test
