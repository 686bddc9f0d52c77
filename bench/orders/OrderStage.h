#pragma once

// The staged data of the order benchmarks: the --scale demo catalogue
// (generated once a day into the build folder, copied into memory-backed
// storage for the run) with one account's guide grown to 5,000 lines.
#include "base/SchemaFile.h"
#include "server/ServerStore.h"
#include "server/SqlDatabase.h"
#include "tabula/QueryPool.h"
#include "tools/demogen/DemoGenerator.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zev::bench {

namespace fs = std::filesystem;

constexpr int kLines = 5000;

struct Stage {
    fs::path dir;
    std::string database;
    int account = 0;
    int guide = 0;
    bool ok = false;
    double plainSeconds = 0;       // best plain read, for the ratio
    double plainImportSeconds = 0; // best plain inventory update

    Stage()
    {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        dir = base / ("zevorderbench-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        database = (dir / "server.db").string();
        const auto started = std::chrono::steady_clock::now();
        // The generated set is kept in the build folder for the day, so later
        // runs copy it instead of generating it again.
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char day[16];
        std::strftime(day, sizeof day, "%Y%m%d", &local);
        const fs::path cache =
            fs::path(ZEV_BINARY_DIR) / ".." / "bench-data" / ("orders-scale-" + std::string(day) + ".db");
        std::error_code ec;
        if (fs::exists(cache, ec)) {
            fs::copy_file(cache, database, fs::copy_options::overwrite_existing, ec);
        } else {
            Generate(local);
            fs::create_directories(cache.parent_path(), ec);
            fs::copy_file(database, cache, fs::copy_options::overwrite_existing, ec);
        }
        {
            zev::server::SqlDatabase db(database);
            auto pick = db.Prepare("select AccountID, WorkOrderID from WorkOrderItems group by AccountID, WorkOrderID "
                                   "order by count(*) desc limit 1");
            if (pick.Step()) {
                account = static_cast<int>(pick.Int(0));
                guide = static_cast<int>(pick.Int(1));
            }
        }
        std::fprintf(stderr, "set-up: scale demo and a %d-line guide in %.1f s\n", kLines,
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        QueryPool::GetInstance("Data Source=" + database, 0);
        ok = account > 0;
    }
    void Generate(const std::tm& local)
    {
        zev::server::ServerStore store(database);
        store.CreateMasterTables(zev::SchemaFile::Load(ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini"));
        zev::demo::DemoOptions options;
        options.scale = true;
        options.year = local.tm_year + 1900;
        options.month = local.tm_mon + 1;
        options.day = local.tm_mday;
        options.stamp = "2026-01-01 00:00:00";
        zev::demo::DemoGenerator(store, options, [](const std::string&) { return std::string(32, '0'); }).Generate();
        auto& db = store.Db();
        auto pick =
            db.Prepare("select AccountID, WorkOrderID, catalogID from WorkOrderItems order by AccountID limit 1");
        if (!pick.Step())
            return;
        const auto a = pick.Int(0);
        const auto g = pick.Int(1);
        const auto catalog = pick.Int(2);
        // The guide grows to 5,000 lines of items priced in its catalogue, some with quantities.
        db.Exec("delete from WorkOrderItems where AccountID = " + std::to_string(a));
        db.Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, catalogID, CaseQTY, SingleQTY, "
                "CDistPrice, SDistPrice, LastQty, OrderCount, LineItemNumber, SpecialFlag, DiscountAmount, "
                "PriceOverride, Par, Inv, RetailPrice, Warehouse, Filter, LineComment, HTDItemCount, Updated) "
                "select " +
                std::to_string(a) + ", " + std::to_string(g) + ", I.ItemID, " + std::to_string(catalog) +
                ", I.ItemID % 3, I.ItemID % 5, P.CPrice0, P.SPrice0, 0, 0, row_number() over (order by I.ItemID), "
                "'0', case when I.ItemID % 7 = 0 then '1.20' else '0' end, '0', 0, 0, 0, 0, 0, '', 0, 0 from "
                "Items I, PricingScheme P where P.ItemID = I.ItemID and P.CatalogID = " +
                std::to_string(catalog) +
                " and I.DeletedFlag = 0 and P.StartDate is null order by I.ItemID "
                "limit " +
                std::to_string(kLines));
    }

    ~Stage()
    {
        QueryPool::DestroyAll();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

inline Stage& TheStage()
{
    static Stage stage;
    return stage;
}

} // namespace zev::bench
