#include "tools/demogen/DemoCatalogBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zev::demo {

using server::SqlDatabase;

void DemoCatalogBuilder::Run()
{
    Lookups();
    Categories();
    Items();
    Prices();
    Programs();
}

void DemoCatalogBuilder::Lookups()
{
    Writer("DistributorInfo")
        .Set("DistributorID", 1)
        .Set("DistributorName", "Harbor & Vine Beverage Co.")
        .Set("Phone", "(503) 555-0100")
        .Set("DeliveryDays", "NYYYYYN")
        .Set("Address1", "1200 NW Front Ave")
        .Set("City", "Portland")
        .Set("State", "OR")
        .Set("GuideSortKey", 0)
        .Set("DefaultCatalog", "10,Standard")
        .Set("Zip", "97209")
        .Set("Fax", "(503) 555-0101")
        .Set("Email", "orders@harborvine.example")
        .Set("OrderCutoff", "1500")
        .Set("SupportPhone", "(503) 555-0199")
        .Set("WebSite", "www.harborvine.example")
        .Set("TaxRate", 0.0)
        .Set("OrderMinimum", 150);
    Put("DistributorInfo");
    int id = 1;
    for (const char* name : {"Wine", "Spirits", "Beer", "Non-Alcoholic"}) {
        Writer("Division").Set("DivisionID", id++).Set("Description", name);
        Put("Division");
    }
    const char* tiers[] = {"Base",           "Tier 1 - Preferred",          "Tier 2 - Volume", "Tier 3 - Key Account",
                           "Tier 4 - Chain", "Tier 5 - Distributor Special"};
    for (int t = 0; t < 6; ++t) {
        Writer("PricingTiers").Set("TierID", t).Set("TierName", tiers[t]);
        Put("PricingTiers");
    }
    struct Row {
        int id;
        const char* name;
        int enabled;
        const char* city;
    };
    for (Row w : {Row{1, "Main Warehouse", 1, "Portland"}, Row{2, "North Depot", 1, "Vancouver"},
                  Row{3, "Coastal Depot", 0, "Astoria"}}) {
        Writer("Warehouse")
            .Set("WarehouseID", w.id)
            .Set("Description", w.name)
            .Set("EnableFlag", w.enabled)
            .Set("Address1", std::to_string(100 * w.id) + " Industrial Way")
            .Set("City", w.city)
            .Set("State", w.id == 2 ? "WA" : "OR");
        Put("Warehouse");
    }
    id = 1;
    for (const char* name : {"Truck", "Will Call", "Courier", "Next Day"}) {
        Writer("ShipMethods").Set("MethodID", id++).Set("Description", name);
        Put("ShipMethods");
    }
    id = 1;
    for (const char* name : {"Cash Discount 2%", "Volume Discount", "Promotional", "Damaged Goods Credit"}) {
        Writer("OrderDiscounts").Set("ID", id++).Set("Description", name);
        Put("OrderDiscounts");
    }
    id = 1;
    for (const char* name : {"COD", "Net 15", "Net 30", "Prepaid", "EFT"}) {
        Writer("OrderTerms").Set("Code", id++).Set("Description", name);
        Put("OrderTerms");
    }
    int bit = 1;
    for (const char* name : {"Core List", "Seasonal", "By the Glass", "Feature", "Shelf Reset"}) {
        Writer("Filters").Set("FilterID", bit).Set("Filter", name);
        Put("Filters");
        bit *= 2;
    }
}

int DemoCatalogBuilder::AddCategory(const std::string& name, int parent, bool hasChildren, int sort)
{
    int id = m_nextCategory++;
    Writer("Category")
        .Set("CategoryID", id)
        .Set("Description", name)
        .Set("Parent", parent == 0 ? id : parent)
        .Set("HasChildren", hasChildren ? 1 : 0)
        .Set("SortOrder", sort);
    Put("Category");
    return id;
}

void DemoCatalogBuilder::Categories()
{
    int wine = AddCategory("Wine", 0, true, 1);
    int sort = 1;
    for (const WineCountry& c : kWineCountries) {
        int country = AddCategory(std::string(c.country), wine, true, sort++);
        int v = 1;
        for (const char* varietal : c.varietals)
            m_leaves.push_back({AddCategory(varietal, country, false, v++), Kind::Wine, varietal, c.country});
    }
    int spirits = AddCategory("Spirits", 0, true, 2);
    sort = 1;
    for (const char* type : kSpiritTypes)
        m_leaves.push_back({AddCategory(type, spirits, false, sort++), Kind::Spirit, type, ""});
    int beer = AddCategory("Beer", 0, true, 3);
    sort = 1;
    for (const char* style : kBeerStyles)
        m_leaves.push_back({AddCategory(style, beer, false, sort++), Kind::Beer, style, ""});
    int water = AddCategory("Water", 0, true, 4);
    for (const char* type : kWaterTypes)
        m_leaves.push_back({AddCategory(std::string(type) + " Water", water, false, 1), Kind::Water, type, ""});
    int kegs = AddCategory("Kegs", 0, true, 5);
    m_leaves.push_back({AddCategory("Beer Kegs", kegs, false, 1), Kind::Keg, "Beer", ""});
    m_leaves.push_back({AddCategory("Wine on Tap", kegs, false, 2), Kind::Keg, "Wine", ""});
    m_depositCategory = AddCategory("Keg Deposits", kegs, false, 3);
}

void DemoCatalogBuilder::KegDeposits()
{
    struct Deposit {
        const char* name;
        double amount;
    };
    for (Deposit d : {Deposit{"Keg Deposit 1/2 BBL", 50.0}, Deposit{"Keg Deposit 1/4 BBL", 40.0},
                      Deposit{"Keg Deposit 1/6 BBL", 30.0}, Deposit{"Keg Deposit 20L Wine", 35.0}}) {
        Item item{m_nextItem++,
                  Kind::KegDeposit,
                  1,
                  d.amount,
                  false,
                  true,
                  true,
                  false,
                  Format("%06lld", 900000 + (m_nextItem - 1))};
        auto& w = Writer("Items");
        CommonItemColumns(w, item, d.name, m_depositCategory, 4);
        w.Set("ItemVolume", "EACH").Set("ContainerType", "Deposit").Set("UnitOfMeasure", "EA");
        w.Set("QtyOnHand", 9999).Set("DepositAmount", d.amount).Set("ProductKind", 5);
        Put("Items");
        m_items.push_back(item);
    }
}

void DemoCatalogBuilder::CommonItemColumns(TableWriter& w, const Item& item, const std::string& description,
                                           int category, int division)
{
    w.Set("ItemID", item.id)
        .Set("Description", description.substr(0, 60))
        .Set("CategoryID", category)
        .Set("DivisionID", division)
        .Set("DistributorSKU", item.sku)
        .Set("QtyPerCase", item.qtyPerCase)
        .Set("UPC", Upc(70000000000LL + item.id * 7))
        .Set("CaseUPC", Upc(10000000000LL + item.id * 7))
        .Set("DeletedFlag", item.deleted ? 1 : 0)
        .Set("SellMultiple", 1)
        .Set("CatalogPage", std::to_string(1 + item.id % 240))
        .Set("ValidCatalogs", std::string("10") + (item.inCatalog20 ? ",20" : "") + (item.inCatalog30 ? ",30" : ""))
        .Set("BaseCasePrice", Cents(item.casePrice))
        .Set("BaseUnitPrice", Cents(item.casePrice / item.qtyPerCase * 1.08))
        .Set("FrontlinePrice", Cents(item.casePrice * 1.05))
        .Set("WarehouseID", 1)
        .Set("DateAdded", DateText(m_today - 30 - item.id % 900))
        .Set("LastReceived", DateText(m_today - item.id % 20))
        .Set("LastUpdated", DateText(m_today - item.id % 30))
        .Set("ShortDescription", description.substr(0, 30))
        .Set("UnitsPerPack", 1)
        .Set("PacksPerCase", item.qtyPerCase)
        .Set("PremiseCode", item.onPremiseOnly ? "ON" : "BOTH");
}

void DemoCatalogBuilder::Items()
{
    int total = m_options.scale ? 30000 : 2400;
    KegDeposits();
    for (int n = 0; static_cast<int>(m_items.size()) < total; ++n) {
        // Wine dominates a wine distributor's book; the rest spread over the other kinds.
        int roll = m_random.Below(100);
        Kind kind = roll < 60   ? Kind::Wine
                    : roll < 78 ? Kind::Spirit
                    : roll < 92 ? Kind::Beer
                    : roll < 96 ? Kind::Water
                                : Kind::Keg;
        std::vector<const Category*> fits;
        for (const Category& c : m_leaves)
            if (c.kind == kind)
                fits.push_back(&c);
        const Category& category = *m_random.Pick(fits);
        MakeItem(category);
    }
}

void DemoCatalogBuilder::MakeItem(const Category& category)
{
    Item item{};
    item.id = m_nextItem++;
    item.kind = category.kind;
    item.sku = Format("%06lld", 100000 + item.id);
    item.deleted = m_random.Chance(0.01);
    item.inCatalog20 = m_random.Chance(0.5);
    item.inCatalog30 = m_random.Chance(0.3);
    auto& w = Writer("Items");
    std::string description;
    int division = 1;
    int flags = 0;
    int sellMultiple = 1;
    Size size{"750ML", 12, 1.0};
    switch (category.kind) {
    case Kind::Wine: {
        const WineCountry* country = nullptr;
        for (const WineCountry& c : kWineCountries)
            if (category.country == c.country)
                country = &c;
        std::vector<Size> sizes{
            {"750ML", 12, 1.0}, {"750ML", 12, 1.0}, {"750ML", 12, 1.0}, {"1.5L", 6, 1.9}, {"375ML", 24, 0.55}};
        size = m_random.Pick(sizes);
        std::string producer = m_random.Pick(kProducerFirst);
        producer += std::string(" ") + m_random.Pick(kProducerSecond);
        std::string vintage = m_random.Chance(0.92) ? std::to_string(m_random.Between(2012, 2024)) : "NV";
        description = producer + " " + category.name + " " + vintage;
        if (std::string(size.volume) != "750ML")
            description += " " + std::string(size.volume);
        item.casePrice = m_random.Between(96.0, 480.0) * size.factor;
        bool red =
            category.name.find("Blanc") == std::string::npos && category.name.find("Chardonnay") == std::string::npos &&
            category.name.find("Riesling") == std::string::npos && category.name.find("Grigio") == std::string::npos &&
            category.name.find("Albarino") == std::string::npos &&
            category.name.find("Torrontes") == std::string::npos && category.name.find("Verde") == std::string::npos;
        w.Set("Brand", producer)
            .Set("Producer", producer)
            .Set("Vintage", vintage)
            .Set("Country", category.country)
            .Set("Region", country ? m_random.Pick(country->regions) : "")
            .Set("Appellation", country ? m_random.Pick(country->regions) : "")
            .Set("Varietal", category.name)
            .Set("Color", red ? "Red" : "White")
            .Set("AlcoholPct", Cents(m_random.Between(11.5, 15.5)))
            .Set("ContainerType", "Bottle")
            .Set("UnitOfMeasure", "BTL")
            .Set("Sweetness", m_random.Between(0, 4))
            .Set("BodyStyle", m_random.Pick({"Light", "Medium", "Full"}))
            .Set("ServeTemp", red ? "60-65F" : "45-50F")
            .Set("FoodPairing", red ? "Grilled meats, aged cheese" : "Seafood, salads")
            .Set("LinePrefix", vintage == "NV" ? "" : vintage)
            .Set("ClassCode", "WINE");
        if (m_random.Chance(0.4)) {
            w.Set("Rating", m_random.Between(84, 98))
                .Set("RatingSource", m_random.Pick({"Wine Spectator", "Wine Enthusiast", "James Suckling"}));
        }
        if (m_random.Chance(0.08))
            w.Set("Organic", 1);
        break;
    }
    case Kind::Spirit: {
        std::vector<Size> sizes{{"750ML", 12, 1.0}, {"1L", 12, 1.3}, {"1.75L", 6, 2.1}, {"50ML", 120, 0.1}};
        size = m_random.Pick(sizes);
        std::string brand = m_random.Pick(kSpiritBrands);
        std::string age = category.name == "Whiskey" || category.name == "Bourbon" || category.name == "Rum"
                              ? std::string(" ") + m_random.Pick({"", "8 Year", "12 Year", "Small Batch"})
                              : "";
        description = brand + " " + category.name + age + " " + size.volume;
        item.casePrice = m_random.Between(120.0, 520.0) * size.factor;
        division = 2;
        w.Set("Brand", brand)
            .Set("Producer", brand + " Distilling")
            .Set("Country", m_random.Pick({"USA", "Scotland", "Mexico", "France", "Jamaica", "Ireland"}))
            .Set("AlcoholPct", Cents(m_random.Between(35.0, 50.0)))
            .Set("ContainerType", "Bottle")
            .Set("UnitOfMeasure", "BTL")
            .Set("ClassCode", "SPIRIT");
        break;
    }
    case Kind::Beer: {
        std::vector<Size> sizes{
            {"12OZ CAN", 24, 1.0}, {"12OZ BTL", 24, 1.0}, {"16OZ CAN", 24, 1.2}, {"22OZ BTL", 12, 0.8}};
        size = m_random.Pick(sizes);
        std::string brewery = m_random.Pick(kBreweries);
        description = brewery + " " + category.name + " " + size.volume;
        item.casePrice = m_random.Between(24.0, 52.0) * size.factor;
        division = 3;
        sellMultiple = m_random.Chance(0.2) ? 4 : 1;
        w.Set("Brand", brewery)
            .Set("Producer", brewery)
            .Set("Country", "USA")
            .Set("AlcoholPct", Cents(m_random.Between(4.0, 9.5)))
            .Set("ContainerType", std::string(size.volume).find("CAN") != std::string::npos ? "Can" : "Bottle")
            .Set("UnitOfMeasure", std::string(size.volume).find("CAN") != std::string::npos ? "CAN" : "BTL")
            .Set("ClassCode", "BEER");
        break;
    }
    case Kind::Water: {
        std::vector<Size> sizes{{"500ML", 24, 1.0}, {"1L", 12, 0.9}, {"330ML", 24, 0.8}};
        size = m_random.Pick(sizes);
        std::string brand = m_random.Pick(kWaterBrands);
        description = brand + " " + category.name + " Water " + size.volume;
        item.casePrice = m_random.Between(14.0, 36.0) * size.factor;
        division = 4;
        w.Set("Brand", brand).Set("ContainerType", "Bottle").Set("UnitOfMeasure", "BTL").Set("ClassCode", "WATER");
        break;
    }
    case Kind::Keg: {
        bool wineKeg = category.name == "Wine";
        std::vector<Size> sizes =
            wineKeg ? std::vector<Size>{{"20L KEG", 1, 1.0}}
                    : std::vector<Size>{{"1/2 BBL", 1, 1.0}, {"1/4 BBL", 1, 0.55}, {"1/6 BBL", 1, 0.4}};
        size = m_random.Pick(sizes);
        std::string brand =
            wineKeg ? std::string(m_random.Pick(kProducerSecond)) + " Cellars" : m_random.Pick(kBreweries);
        std::string style = wineKeg ? m_random.Pick({"Red Blend", "Pinot Gris", "Rose"}) : m_random.Pick(kBeerStyles);
        description = brand + " " + style + " " + size.volume + " Keg";
        item.casePrice = (wineKeg ? m_random.Between(280.0, 420.0) : m_random.Between(110.0, 240.0)) * size.factor;
        division = wineKeg ? 1 : 3;
        item.onPremiseOnly = true;
        double deposit = wineKeg                                 ? 35.0
                         : std::string(size.volume) == "1/2 BBL" ? 50.0
                         : std::string(size.volume) == "1/4 BBL" ? 40.0
                                                                 : 30.0;
        w.Set("Brand", brand)
            .Set("ContainerType", "Keg")
            .Set("UnitOfMeasure", "KEG")
            .Set("DepositAmount", deposit)
            .Set("ClassCode", "KEG")
            .Set("ItemNote", "Deposit charged separately");
        break;
    }
    case Kind::KegDeposit:
        break;
    }
    item.qtyPerCase = size.perCase;
    if (m_random.Chance(0.02))
        flags |= 2;
    if (item.onPremiseOnly || m_random.Chance(0.03)) {
        flags |= 4;
        item.onPremiseOnly = true;
    } else if (m_random.Chance(0.03)) {
        flags |= 8;
    }
    CommonItemColumns(w, item, description, category.id, division);
    int onHand = m_random.Chance(0.1) ? 0 : m_random.Between(1, 50) * size.perCase;
    if (onHand > 0)
        onHand += m_random.Below(size.perCase);
    w.Set("ItemVolume", size.volume)
        .Set("ProductKind", category.kind == Kind::Water ? 4 : 2)
        .Set("QtyOnHand", onHand)
        .Set("QtyOnOrder", m_random.Chance(0.2) ? m_random.Between(1, 20) * size.perCase : 0)
        .Set("QtyCommitted", m_random.Between(0, 5) * size.perCase)
        .Set("ItemFlags", flags)
        .Set("SellMultiple", sellMultiple)
        .Set("SuggestedRetail", Cents(item.casePrice / size.perCase * 1.5))
        .Set("CaseWeight", Cents(size.perCase * 3.1))
        .Set("CaseCube", Cents(1.2))
        .Set("CasesPerLayer", 10)
        .Set("LayersPerPallet", 5)
        .Set("TaxCode", division == 4 ? "NT" : "ALC")
        .Set("StateRegNumber", "OR-" + m_random.Digits(6))
        .Set("NewItem", m_random.Chance(0.05) ? 1 : 0)
        .Set("Closeout", m_random.Chance(0.02) ? 1 : 0)
        .Set("Allocated", m_random.Chance(0.02) ? 1 : 0)
        .Set("LeadTimeDays", m_random.Between(2, 21))
        .Set("BuyerID", m_random.Between(1, 4))
        .Set("SupplierID", m_random.Between(1, 60))
        .Set("SupplierItemNo", "S" + m_random.Digits(7))
        .Set("YTDCasesSold", m_random.Between(0, 900))
        .Set("LYCasesSold", m_random.Between(0, 1100))
        .Set("SizeCode", size.volume);
    if (m_random.Chance(0.1))
        w.Set("NextReceiptDate", DateText(m_today + m_random.Between(2, 20)))
            .Set("NextReceiptQty", m_random.Between(5, 60) * size.perCase);
    Put("Items");
    m_items.push_back(item);
    if (category.kind == Kind::Wine && m_random.Chance(0.3)) {
        Writer("ItemAttributes")
            .Set("ItemID", item.id)
            .Set("AttributeName", "Closure")
            .Set("AttributeValue", m_random.Pick({"Natural cork", "Screwcap", "Synthetic cork"}));
        Put("ItemAttributes");
        Writer("ItemAttributes")
            .Set("ItemID", item.id)
            .Set("AttributeName", "Oak")
            .Set("AttributeValue", m_random.Pick({"Unoaked", "French oak, 12 months", "American oak, 18 months"}));
        Put("ItemAttributes");
    }
    if (m_random.Chance(0.2)) {
        Writer("ProductNotes")
            .Set("ItemID", item.id)
            .Set("Note1", "Tasting: " +
                              std::string(m_random.Pick(
                                  {"bright fruit", "dark cherry", "citrus peel", "toasted oak", "crisp minerality"})) +
                              "~Finish: " + m_random.Pick({"long", "clean", "smooth", "lingering spice"}))
            .Set("Note2", "Best sellers: pair with a by-the-glass program.")
            .Set("Note3", "");
        Put("ProductNotes");
    }
}

void DemoCatalogBuilder::PriceRow(const Item& item, int catalog, double factor)
{
    auto& w = Writer("PricingScheme");
    double casePrice = item.casePrice * factor;
    w.Set("ItemID", item.id).Set("CatalogID", catalog);
    for (int d = 0; d < 10; ++d) {
        double c = d <= 5 ? Cents(casePrice * (1.0 - 0.02 * d)) : 0.0;
        double s = d <= 5 ? Cents(c / item.qtyPerCase * 1.1) : 0.0;
        w.Set("CPrice" + std::to_string(d), c).Set("SPrice" + std::to_string(d), s);
    }
    if (item.qtyPerCase > 1 && m_random.Chance(0.3)) {
        w.Set("BreakQty1", 5 * item.qtyPerCase)
            .Set("BreakDisc1", Cents(casePrice * 0.03))
            .Set("BreakQty2", 10 * item.qtyPerCase)
            .Set("BreakDisc2", Cents(casePrice * 0.05));
        if (m_random.Chance(0.3))
            w.Set("BreakQty3", 25 * item.qtyPerCase).Set("BreakDisc3", Cents(casePrice * 0.08));
    }
    w.Set("SplitCaseCharge", item.kind == Kind::Wine || item.kind == Kind::Spirit ? 1.0 : 0.0);
    if (catalog == 30 && m_random.Chance(0.1))
        w.Set("StartDate", DateText(m_today - 15)).Set("EndDate", DateText(m_today + 45));
    Put("PricingScheme");
}

void DemoCatalogBuilder::Prices()
{
    for (const Item& item : m_items) {
        PriceRow(item, 10, 1.0);
        if (item.inCatalog20)
            PriceRow(item, 20, 1.04);
        if (item.inCatalog30)
            PriceRow(item, 30, 0.97);
        if (item.inCatalog20 && item.kind == Kind::Wine && m_random.Chance(0.05)) {
            Writer("FamilyPlan").Set("ItemID", item.id).Set("CatalogID", 20);
            Put("FamilyPlan");
        }
    }
}

void DemoCatalogBuilder::Programs()
{
    for (int p = 1; p <= 10; ++p) {
        long start = m_today - m_random.Between(0, 20);
        std::string name = std::string(m_random.Pick({"Spring", "Summer", "Harvest", "Holiday", "Patio"})) + " " +
                           m_random.Pick({"Wine Event", "Spirits Feature", "Beer Blitz", "Mix & Match"});
        Writer("Promo")
            .Set("PromoID", p)
            .Set("LineID", 0)
            .Set("Description", name)
            .Set("ItemID", 0)
            .Set("StartDate", DateText(start))
            .Set("EndDate", DateText(start + 30));
        Put("Promo");
        int lines = m_random.Between(3, 6);
        for (int l = 1; l <= lines; ++l) {
            const Item& item = m_items[RandomItem(true)];
            Writer("Promo")
                .Set("PromoID", p)
                .Set("LineID", l)
                .Set("Description", "Buy " + std::to_string(l + 1) + " cases, save")
                .Set("ItemID", item.id)
                .Set("MinQty", (l + 1) * item.qtyPerCase)
                .Set("Discount", Cents(1.5 * l))
                .Set("StartDate", DateText(start))
                .Set("EndDate", DateText(start + 30));
            Put("Promo");
        }
    }
    for (int r = 1; r <= 15; ++r) {
        std::string number = "RIP-" + Format("%04lld", 2000 + r);
        std::string name = std::string(m_random.Pick(kProducerSecond)) + " depletion allowance";
        long start = m_today - m_random.Between(0, 40);
        int tiers = m_random.Between(2, 3);
        for (int t = 1; t <= tiers; ++t) {
            Writer("RIP")
                .Set("RIPID", r)
                .Set("RIPNumber", number)
                .Set("Description", name)
                .Set("Qty", std::to_string(t == 1   ? 5
                                           : t == 2 ? 10
                                                    : 25) +
                                "C")
                .Set("Amount", Cents(t * 12.0))
                .Set("StartDate", DateText(start))
                .Set("EndDate", DateText(start + 60));
            Put("RIP");
        }
        std::vector<int> chosen;
        int count = m_random.Between(5, 15);
        while (static_cast<int>(chosen.size()) < count) {
            int id = m_items[RandomItem(true)].id;
            if (std::find(chosen.begin(), chosen.end(), id) == chosen.end())
                chosen.push_back(id);
        }
        for (int id : chosen) {
            Writer("RIPItems").Set("RIPID", r).Set("ItemID", id);
            Put("RIPItems");
        }
    }
    for (int p = 1; p <= 5; ++p) {
        Writer("Program")
            .Set("ProgramID", p)
            .Set("Description", std::string(m_random.Pick({"Placement", "Display", "By the Glass", "Feature"})) +
                                    " incentive " + std::to_string(p))
            .Set("StartDate", DateText(m_today - 30))
            .Set("EndDate", DateText(m_today + 60))
            .Set("Notes", "Earn the reward when the quantity is reached within the period.");
        Put("Program");
        std::vector<int> chosen;
        while (chosen.size() < 8) {
            int id = m_items[RandomItem(true)].id;
            if (std::find(chosen.begin(), chosen.end(), id) == chosen.end())
                chosen.push_back(id);
        }
        for (int id : chosen) {
            Writer("ProgramItems")
                .Set("ProgramID", p)
                .Set("ItemID", id)
                .Set("Qty", m_random.Between(2, 10) * 12)
                .Set("Amount", Cents(m_random.Between(25.0, 150.0)));
            Put("ProgramItems");
        }
    }
}

} // namespace zev::demo
