#include "tools/demogen/DemoGenerator.h"

#include "tools/demogen/DemoRandom.h"
#include "tools/demogen/TableWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace zev::demo {

namespace {

using server::SqlDatabase;

const std::vector<DemoUser> kUsers{
    {"100200", "demo1234", "Dana Whitfield", false},
    {"100300", "demo1234", "Marco Ruiz", false},
    {"900100", "manager1", "Pat Okafor", true},
};

const char* const kRepA = "100200";
const char* const kRepB = "100300";
const char* const kManager = "900100";

// Dates as day numbers (days since 1970-01-01) so "today minus n" needs no time zone.
long DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

std::string DateText(long days, int hour = 0, int minute = 0, int second = 0)
{
    int y, m, d;
    CivilFromDays(days, y, m, d);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, hour, minute, second);
    return buffer;
}

double Cents(double value) { return std::round(value * 100.0) / 100.0; }

std::string Format(const char* format, long long value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// A UPC-A code: eleven digits and the check digit.
std::string Upc(long long base)
{
    std::string digits = Format("%011lld", base % 100000000000LL);
    int sum = 0;
    for (int i = 0; i < 11; ++i)
        sum += (digits[static_cast<size_t>(i)] - '0') * (i % 2 == 0 ? 3 : 1);
    return digits + static_cast<char>('0' + (10 - sum % 10) % 10);
}

enum class Kind { Wine, Spirit, Beer, Water, Keg, KegDeposit };

struct Category {
    int id;
    Kind kind;
    std::string name;    // varietal, style or type
    std::string country; // wine only
};

struct Item {
    int id;
    Kind kind;
    int qtyPerCase;
    double casePrice;
    bool deleted;
    bool onPremiseOnly;
    bool inCatalog20;
    bool inCatalog30;
    std::string sku;
};

struct Account {
    int id;
    std::string rep;
    bool onPremise;
    int tier;
    int catalog;
    std::vector<size_t> guide; // indexes into the items
};

struct WineCountry {
    const char* country;
    std::vector<const char*> regions;
    std::vector<const char*> varietals;
};

const std::vector<WineCountry> kWineCountries{
    {"France",
     {"Bordeaux", "Burgundy", "Rhone Valley", "Loire Valley", "Alsace"},
     {"Cabernet Sauvignon", "Merlot", "Pinot Noir", "Chardonnay", "Sauvignon Blanc", "Syrah"}},
    {"Italy", {"Tuscany", "Piedmont", "Veneto", "Sicily"}, {"Sangiovese", "Nebbiolo", "Pinot Grigio", "Barbera"}},
    {"Spain", {"Rioja", "Ribera del Duero", "Rias Baixas"}, {"Tempranillo", "Garnacha", "Albarino"}},
    {"USA",
     {"Napa Valley", "Sonoma", "Willamette Valley", "Columbia Valley", "Paso Robles"},
     {"Cabernet Sauvignon", "Chardonnay", "Pinot Noir", "Zinfandel", "Merlot", "Riesling"}},
    {"Australia", {"Barossa Valley", "McLaren Vale", "Margaret River"}, {"Shiraz", "Chardonnay", "Cabernet Sauvignon"}},
    {"Chile", {"Maipo Valley", "Colchagua", "Casablanca"}, {"Carmenere", "Cabernet Sauvignon", "Sauvignon Blanc"}},
    {"Argentina", {"Mendoza", "Salta"}, {"Malbec", "Torrontes", "Bonarda"}},
    {"Germany", {"Mosel", "Rheingau", "Pfalz"}, {"Riesling", "Pinot Blanc"}},
    {"New Zealand", {"Marlborough", "Central Otago"}, {"Sauvignon Blanc", "Pinot Noir"}},
    {"Portugal", {"Douro", "Alentejo"}, {"Port", "Touriga Nacional", "Vinho Verde"}},
};

const std::vector<const char*> kProducerFirst{"Chateau", "Domaine", "Bodega", "Tenuta", "Clos",
                                              "Casa",    "Weingut", "Quinta", "Vina",   "Estate"};
const std::vector<const char*> kProducerSecond{"Belmont",      "Saint Aubin", "Los Robles", "Ca' Rossa",  "Hartwell",
                                               "Silver Creek", "Marchetti",   "Del Sol",    "Oakridge",   "La Fleur",
                                               "Three Rivers", "Stonegate",   "Valmont",    "Blue Heron", "Alta Vista",
                                               "Fox Hollow",   "Greystone",   "Le Moulin",  "Red Mesa",   "Windward"};
const std::vector<const char*> kSpiritTypes{"Whiskey", "Bourbon", "Vodka",  "Gin",
                                            "Rum",     "Tequila", "Brandy", "Liqueur"};
const std::vector<const char*> kSpiritBrands{"Old Harbor",    "Copper Still",  "North Star",
                                             "Black Anchor",  "Agave Azul",    "Kings Reserve",
                                             "Highland Mist", "Island Breeze", "Crown Ridge"};
const std::vector<const char*> kBeerStyles{"Lager", "IPA", "Stout", "Wheat", "Pilsner", "Pale Ale", "Sour"};
const std::vector<const char*> kBreweries{"Harbor Brewing", "Tall Pines", "Iron Horse", "Riverbend",
                                          "Golden Gate",    "Rusty Nail", "Lakeside",   "Summit Peak"};
const std::vector<const char*> kWaterTypes{"Still", "Sparkling"};
const std::vector<const char*> kWaterBrands{"Clearspring", "Alpine Source", "Crystal Rock", "Aqua Vita"};

const std::vector<const char*> kPlaceFirst{
    "Copper", "Golden", "Blue",   "Silver", "Old Town", "Harbor",     "Main Street", "Riverside", "Green", "Red Oak",
    "Maple",  "Union",  "Corner", "Grand",  "Village",  "Lighthouse", "Sunset",      "Hilltop",   "Cedar", "Bay"};
const std::vector<const char*> kOnPremise{"Bistro",     "Tavern",       "Grill",     "Trattoria",
                                          "Steakhouse", "Wine Bar",     "Brasserie", "Pub",
                                          "Kitchen",    "Oyster House", "Hotel",     "Country Club"};
const std::vector<const char*> kOffPremise{"Liquors", "Wine & Spirits", "Market",  "Beverage Outlet",
                                           "Grocery", "Bottle Shop",    "Cellars", "Food Mart"};
const std::vector<const char*> kFirstNames{"Alex",  "Jordan", "Sam",   "Taylor", "Morgan", "Casey", "Jamie", "Riley",
                                           "Chris", "Pat",    "Robin", "Lee",    "Dana",   "Avery", "Quinn", "Drew"};
const std::vector<const char*> kLastNames{"Smith",  "Garcia", "Chen",   "Johnson",  "Patel",
                                          "Rossi",  "Nguyen", "Miller", "Kowalski", "Brown",
                                          "Okafor", "Martin", "Silva",  "Keller",   "Dubois"};
const std::vector<const char*> kStreets{"Main St", "Harbor Blvd", "Oak Ave", "Market St",  "2nd St",   "Lake Dr",
                                        "Elm St",  "Broadway",    "Pine St", "Mission Rd", "Park Ave", "Bay Rd"};
const std::vector<std::pair<const char*, const char*>> kCities{
    {"Portland", "OR"}, {"Salem", "OR"},  {"Eugene", "OR"},  {"Bend", "OR"}, {"Vancouver", "WA"},
    {"Seattle", "WA"},  {"Tacoma", "WA"}, {"Olympia", "WA"}, {"Boise", "ID"}};

// Sizes: text, units per case, price factor against the kind's 750ml-equivalent price.
struct Size {
    const char* volume;
    int perCase;
    double factor;
};

class Builder {
public:
    Builder(SqlDatabase& db, const DemoOptions& options, const DemoGenerator::DigestFn& digest)
        : db_(db), options_(options), digest_(digest), random_(options.seed),
          today_(DaysFromCivil(options.year, options.month, options.day))
    {
    }

    std::map<std::string, long long> Run()
    {
        Lookups();
        Categories();
        Items();
        Prices();
        Programs();
        Accounts();
        Guides();
        History();
        OpenOrders();
        Receivables();
        NotesAndMessages();
        SurveysAndForms();
        Users();
        return counts_;
    }

private:
    TableWriter& Writer(const std::string& table)
    {
        auto it = writers_.find(table);
        if (it == writers_.end())
            it = writers_.emplace(table, std::make_unique<TableWriter>(db_, table, options_.stamp)).first;
        return *it->second;
    }
    void Put(const std::string& table, const std::string& owner = {})
    {
        Writer(table).Insert(owner);
        ++counts_[table];
    }
    std::string Phone() { return "(503) 555-" + random_.Digits(4); }
    // One draw per statement: the order of draws inside one expression is up to the compiler.
    std::string Name()
    {
        std::string first = random_.Pick(kFirstNames);
        return first + " " + random_.Pick(kLastNames);
    }

    void Lookups()
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
        const char* tiers[] = {
            "Base",           "Tier 1 - Preferred",          "Tier 2 - Volume", "Tier 3 - Key Account",
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

    int AddCategory(const std::string& name, int parent, bool hasChildren, int sort)
    {
        int id = nextCategory_++;
        Writer("Category")
            .Set("CategoryID", id)
            .Set("Description", name)
            .Set("Parent", parent == 0 ? id : parent)
            .Set("HasChildren", hasChildren ? 1 : 0)
            .Set("SortOrder", sort);
        Put("Category");
        return id;
    }

    void Categories()
    {
        int wine = AddCategory("Wine", 0, true, 1);
        int sort = 1;
        for (const WineCountry& c : kWineCountries) {
            int country = AddCategory(std::string(c.country), wine, true, sort++);
            int v = 1;
            for (const char* varietal : c.varietals)
                leaves_.push_back({AddCategory(varietal, country, false, v++), Kind::Wine, varietal, c.country});
        }
        int spirits = AddCategory("Spirits", 0, true, 2);
        sort = 1;
        for (const char* type : kSpiritTypes)
            leaves_.push_back({AddCategory(type, spirits, false, sort++), Kind::Spirit, type, ""});
        int beer = AddCategory("Beer", 0, true, 3);
        sort = 1;
        for (const char* style : kBeerStyles)
            leaves_.push_back({AddCategory(style, beer, false, sort++), Kind::Beer, style, ""});
        int water = AddCategory("Water", 0, true, 4);
        for (const char* type : kWaterTypes)
            leaves_.push_back({AddCategory(std::string(type) + " Water", water, false, 1), Kind::Water, type, ""});
        int kegs = AddCategory("Kegs", 0, true, 5);
        leaves_.push_back({AddCategory("Beer Kegs", kegs, false, 1), Kind::Keg, "Beer", ""});
        leaves_.push_back({AddCategory("Wine on Tap", kegs, false, 2), Kind::Keg, "Wine", ""});
        depositCategory_ = AddCategory("Keg Deposits", kegs, false, 3);
    }

    void KegDeposits()
    {
        struct Deposit {
            const char* name;
            double amount;
        };
        for (Deposit d : {Deposit{"Keg Deposit 1/2 BBL", 50.0}, Deposit{"Keg Deposit 1/4 BBL", 40.0},
                          Deposit{"Keg Deposit 1/6 BBL", 30.0}, Deposit{"Keg Deposit 20L Wine", 35.0}}) {
            Item item{nextItem_++,
                      Kind::KegDeposit,
                      1,
                      d.amount,
                      false,
                      true,
                      true,
                      false,
                      Format("%06lld", 900000 + (nextItem_ - 1))};
            auto& w = Writer("Items");
            CommonItemColumns(w, item, d.name, depositCategory_, 4);
            w.Set("ItemVolume", "EACH").Set("ContainerType", "Deposit").Set("UnitOfMeasure", "EA");
            w.Set("QtyOnHand", 9999).Set("DepositAmount", d.amount).Set("ProductKind", 5);
            Put("Items");
            items_.push_back(item);
        }
    }

    void CommonItemColumns(TableWriter& w, const Item& item, const std::string& description, int category, int division)
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
            .Set("DateAdded", DateText(today_ - 30 - item.id % 900))
            .Set("LastReceived", DateText(today_ - item.id % 20))
            .Set("LastUpdated", DateText(today_ - item.id % 30))
            .Set("ShortDescription", description.substr(0, 30))
            .Set("UnitsPerPack", 1)
            .Set("PacksPerCase", item.qtyPerCase)
            .Set("PremiseCode", item.onPremiseOnly ? "ON" : "BOTH");
    }

    void Items()
    {
        int total = options_.scale ? 30000 : 2400;
        KegDeposits();
        for (int n = 0; static_cast<int>(items_.size()) < total; ++n) {
            // Wine dominates a wine distributor's book; the rest spread over the other kinds.
            int roll = random_.Below(100);
            Kind kind = roll < 60   ? Kind::Wine
                        : roll < 78 ? Kind::Spirit
                        : roll < 92 ? Kind::Beer
                        : roll < 96 ? Kind::Water
                                    : Kind::Keg;
            std::vector<const Category*> fits;
            for (const Category& c : leaves_)
                if (c.kind == kind)
                    fits.push_back(&c);
            const Category& category = *random_.Pick(fits);
            MakeItem(category);
        }
    }

    void MakeItem(const Category& category)
    {
        Item item{};
        item.id = nextItem_++;
        item.kind = category.kind;
        item.sku = Format("%06lld", 100000 + item.id);
        item.deleted = random_.Chance(0.01);
        item.inCatalog20 = random_.Chance(0.5);
        item.inCatalog30 = random_.Chance(0.3);
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
            size = random_.Pick(sizes);
            std::string producer = random_.Pick(kProducerFirst);
            producer += std::string(" ") + random_.Pick(kProducerSecond);
            std::string vintage = random_.Chance(0.92) ? std::to_string(random_.Between(2012, 2024)) : "NV";
            description = producer + " " + category.name + " " + vintage;
            if (std::string(size.volume) != "750ML")
                description += " " + std::string(size.volume);
            item.casePrice = random_.Between(96.0, 480.0) * size.factor;
            bool red = category.name.find("Blanc") == std::string::npos &&
                       category.name.find("Chardonnay") == std::string::npos &&
                       category.name.find("Riesling") == std::string::npos &&
                       category.name.find("Grigio") == std::string::npos &&
                       category.name.find("Albarino") == std::string::npos &&
                       category.name.find("Torrontes") == std::string::npos &&
                       category.name.find("Verde") == std::string::npos;
            w.Set("Brand", producer)
                .Set("Producer", producer)
                .Set("Vintage", vintage)
                .Set("Country", category.country)
                .Set("Region", country ? random_.Pick(country->regions) : "")
                .Set("Appellation", country ? random_.Pick(country->regions) : "")
                .Set("Varietal", category.name)
                .Set("Color", red ? "Red" : "White")
                .Set("AlcoholPct", Cents(random_.Between(11.5, 15.5)))
                .Set("ContainerType", "Bottle")
                .Set("UnitOfMeasure", "BTL")
                .Set("Sweetness", random_.Between(0, 4))
                .Set("BodyStyle", random_.Pick({"Light", "Medium", "Full"}))
                .Set("ServeTemp", red ? "60-65F" : "45-50F")
                .Set("FoodPairing", red ? "Grilled meats, aged cheese" : "Seafood, salads")
                .Set("LinePrefix", vintage == "NV" ? "" : vintage)
                .Set("ClassCode", "WINE");
            if (random_.Chance(0.4)) {
                w.Set("Rating", random_.Between(84, 98))
                    .Set("RatingSource", random_.Pick({"Wine Spectator", "Wine Enthusiast", "James Suckling"}));
            }
            if (random_.Chance(0.08))
                w.Set("Organic", 1);
            break;
        }
        case Kind::Spirit: {
            std::vector<Size> sizes{{"750ML", 12, 1.0}, {"1L", 12, 1.3}, {"1.75L", 6, 2.1}, {"50ML", 120, 0.1}};
            size = random_.Pick(sizes);
            std::string brand = random_.Pick(kSpiritBrands);
            std::string age = category.name == "Whiskey" || category.name == "Bourbon" || category.name == "Rum"
                                  ? std::string(" ") + random_.Pick({"", "8 Year", "12 Year", "Small Batch"})
                                  : "";
            description = brand + " " + category.name + age + " " + size.volume;
            item.casePrice = random_.Between(120.0, 520.0) * size.factor;
            division = 2;
            w.Set("Brand", brand)
                .Set("Producer", brand + " Distilling")
                .Set("Country", random_.Pick({"USA", "Scotland", "Mexico", "France", "Jamaica", "Ireland"}))
                .Set("AlcoholPct", Cents(random_.Between(35.0, 50.0)))
                .Set("ContainerType", "Bottle")
                .Set("UnitOfMeasure", "BTL")
                .Set("ClassCode", "SPIRIT");
            break;
        }
        case Kind::Beer: {
            std::vector<Size> sizes{
                {"12OZ CAN", 24, 1.0}, {"12OZ BTL", 24, 1.0}, {"16OZ CAN", 24, 1.2}, {"22OZ BTL", 12, 0.8}};
            size = random_.Pick(sizes);
            std::string brewery = random_.Pick(kBreweries);
            description = brewery + " " + category.name + " " + size.volume;
            item.casePrice = random_.Between(24.0, 52.0) * size.factor;
            division = 3;
            sellMultiple = random_.Chance(0.2) ? 4 : 1;
            w.Set("Brand", brewery)
                .Set("Producer", brewery)
                .Set("Country", "USA")
                .Set("AlcoholPct", Cents(random_.Between(4.0, 9.5)))
                .Set("ContainerType", std::string(size.volume).find("CAN") != std::string::npos ? "Can" : "Bottle")
                .Set("UnitOfMeasure", std::string(size.volume).find("CAN") != std::string::npos ? "CAN" : "BTL")
                .Set("ClassCode", "BEER");
            break;
        }
        case Kind::Water: {
            std::vector<Size> sizes{{"500ML", 24, 1.0}, {"1L", 12, 0.9}, {"330ML", 24, 0.8}};
            size = random_.Pick(sizes);
            std::string brand = random_.Pick(kWaterBrands);
            description = brand + " " + category.name + " Water " + size.volume;
            item.casePrice = random_.Between(14.0, 36.0) * size.factor;
            division = 4;
            w.Set("Brand", brand).Set("ContainerType", "Bottle").Set("UnitOfMeasure", "BTL").Set("ClassCode", "WATER");
            break;
        }
        case Kind::Keg: {
            bool wineKeg = category.name == "Wine";
            std::vector<Size> sizes =
                wineKeg ? std::vector<Size>{{"20L KEG", 1, 1.0}}
                        : std::vector<Size>{{"1/2 BBL", 1, 1.0}, {"1/4 BBL", 1, 0.55}, {"1/6 BBL", 1, 0.4}};
            size = random_.Pick(sizes);
            std::string brand =
                wineKeg ? std::string(random_.Pick(kProducerSecond)) + " Cellars" : random_.Pick(kBreweries);
            std::string style = wineKeg ? random_.Pick({"Red Blend", "Pinot Gris", "Rose"}) : random_.Pick(kBeerStyles);
            description = brand + " " + style + " " + size.volume + " Keg";
            item.casePrice = (wineKeg ? random_.Between(280.0, 420.0) : random_.Between(110.0, 240.0)) * size.factor;
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
        if (random_.Chance(0.02))
            flags |= 2;
        if (item.onPremiseOnly || random_.Chance(0.03)) {
            flags |= 4;
            item.onPremiseOnly = true;
        } else if (random_.Chance(0.03)) {
            flags |= 8;
        }
        CommonItemColumns(w, item, description, category.id, division);
        int onHand = random_.Chance(0.1) ? 0 : random_.Between(1, 50) * size.perCase;
        if (onHand > 0)
            onHand += random_.Below(size.perCase);
        w.Set("ItemVolume", size.volume)
            .Set("ProductKind", category.kind == Kind::Water ? 4 : 2)
            .Set("QtyOnHand", onHand)
            .Set("QtyOnOrder", random_.Chance(0.2) ? random_.Between(1, 20) * size.perCase : 0)
            .Set("QtyCommitted", random_.Between(0, 5) * size.perCase)
            .Set("ItemFlags", flags)
            .Set("SellMultiple", sellMultiple)
            .Set("SuggestedRetail", Cents(item.casePrice / size.perCase * 1.5))
            .Set("CaseWeight", Cents(size.perCase * 3.1))
            .Set("CaseCube", Cents(1.2))
            .Set("CasesPerLayer", 10)
            .Set("LayersPerPallet", 5)
            .Set("TaxCode", division == 4 ? "NT" : "ALC")
            .Set("StateRegNumber", "OR-" + random_.Digits(6))
            .Set("NewItem", random_.Chance(0.05) ? 1 : 0)
            .Set("Closeout", random_.Chance(0.02) ? 1 : 0)
            .Set("Allocated", random_.Chance(0.02) ? 1 : 0)
            .Set("LeadTimeDays", random_.Between(2, 21))
            .Set("BuyerID", random_.Between(1, 4))
            .Set("SupplierID", random_.Between(1, 60))
            .Set("SupplierItemNo", "S" + random_.Digits(7))
            .Set("YTDCasesSold", random_.Between(0, 900))
            .Set("LYCasesSold", random_.Between(0, 1100))
            .Set("SizeCode", size.volume);
        if (random_.Chance(0.1))
            w.Set("NextReceiptDate", DateText(today_ + random_.Between(2, 20)))
                .Set("NextReceiptQty", random_.Between(5, 60) * size.perCase);
        Put("Items");
        items_.push_back(item);
        if (category.kind == Kind::Wine && random_.Chance(0.3)) {
            Writer("ItemAttributes")
                .Set("ItemID", item.id)
                .Set("AttributeName", "Closure")
                .Set("AttributeValue", random_.Pick({"Natural cork", "Screwcap", "Synthetic cork"}));
            Put("ItemAttributes");
            Writer("ItemAttributes")
                .Set("ItemID", item.id)
                .Set("AttributeName", "Oak")
                .Set("AttributeValue", random_.Pick({"Unoaked", "French oak, 12 months", "American oak, 18 months"}));
            Put("ItemAttributes");
        }
        if (random_.Chance(0.2)) {
            Writer("ProductNotes")
                .Set("ItemID", item.id)
                .Set("Note1", "Tasting: " +
                                  std::string(random_.Pick({"bright fruit", "dark cherry", "citrus peel", "toasted oak",
                                                            "crisp minerality"})) +
                                  "~Finish: " + random_.Pick({"long", "clean", "smooth", "lingering spice"}))
                .Set("Note2", "Best sellers: pair with a by-the-glass program.")
                .Set("Note3", "");
            Put("ProductNotes");
        }
    }

    // Tier d pays 2% less per step; tiers 6 to 9 are left at 0 so they fall back to the base price.
    void PriceRow(const Item& item, int catalog, double factor)
    {
        auto& w = Writer("PricingScheme");
        double casePrice = item.casePrice * factor;
        w.Set("ItemID", item.id).Set("CatalogID", catalog);
        for (int d = 0; d < 10; ++d) {
            double c = d <= 5 ? Cents(casePrice * (1.0 - 0.02 * d)) : 0.0;
            double s = d <= 5 ? Cents(c / item.qtyPerCase * 1.1) : 0.0;
            w.Set("CPrice" + std::to_string(d), c).Set("SPrice" + std::to_string(d), s);
        }
        if (item.qtyPerCase > 1 && random_.Chance(0.3)) {
            w.Set("BreakQty1", 5 * item.qtyPerCase)
                .Set("BreakDisc1", Cents(casePrice * 0.03))
                .Set("BreakQty2", 10 * item.qtyPerCase)
                .Set("BreakDisc2", Cents(casePrice * 0.05));
            if (random_.Chance(0.3))
                w.Set("BreakQty3", 25 * item.qtyPerCase).Set("BreakDisc3", Cents(casePrice * 0.08));
        }
        w.Set("SplitCaseCharge", item.kind == Kind::Wine || item.kind == Kind::Spirit ? 1.0 : 0.0);
        if (catalog == 30 && random_.Chance(0.1))
            w.Set("StartDate", DateText(today_ - 15)).Set("EndDate", DateText(today_ + 45));
        Put("PricingScheme");
    }

    void Prices()
    {
        for (const Item& item : items_) {
            PriceRow(item, 10, 1.0);
            if (item.inCatalog20)
                PriceRow(item, 20, 1.04);
            if (item.inCatalog30)
                PriceRow(item, 30, 0.97);
            if (item.inCatalog20 && item.kind == Kind::Wine && random_.Chance(0.05)) {
                Writer("FamilyPlan").Set("ItemID", item.id).Set("CatalogID", 20);
                Put("FamilyPlan");
            }
        }
    }

    size_t RandomItem(bool onPremise)
    {
        while (true) {
            size_t i = static_cast<size_t>(random_.Below(static_cast<int>(items_.size())));
            const Item& item = items_[i];
            if (!item.deleted && item.kind != Kind::KegDeposit && (onPremise || !item.onPremiseOnly))
                return i;
        }
    }

    void Programs()
    {
        for (int p = 1; p <= 10; ++p) {
            long start = today_ - random_.Between(0, 20);
            std::string name = std::string(random_.Pick({"Spring", "Summer", "Harvest", "Holiday", "Patio"})) + " " +
                               random_.Pick({"Wine Event", "Spirits Feature", "Beer Blitz", "Mix & Match"});
            Writer("Promo")
                .Set("PromoID", p)
                .Set("LineID", 0)
                .Set("Description", name)
                .Set("ItemID", 0)
                .Set("StartDate", DateText(start))
                .Set("EndDate", DateText(start + 30));
            Put("Promo");
            int lines = random_.Between(3, 6);
            for (int l = 1; l <= lines; ++l) {
                const Item& item = items_[RandomItem(true)];
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
            std::string name = std::string(random_.Pick(kProducerSecond)) + " depletion allowance";
            long start = today_ - random_.Between(0, 40);
            int tiers = random_.Between(2, 3);
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
            int count = random_.Between(5, 15);
            while (static_cast<int>(chosen.size()) < count) {
                int id = items_[RandomItem(true)].id;
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
                .Set("Description", std::string(random_.Pick({"Placement", "Display", "By the Glass", "Feature"})) +
                                        " incentive " + std::to_string(p))
                .Set("StartDate", DateText(today_ - 30))
                .Set("EndDate", DateText(today_ + 60))
                .Set("Notes", "Earn the reward when the quantity is reached within the period.");
            Put("Program");
            std::vector<int> chosen;
            while (chosen.size() < 8) {
                int id = items_[RandomItem(true)].id;
                if (std::find(chosen.begin(), chosen.end(), id) == chosen.end())
                    chosen.push_back(id);
            }
            for (int id : chosen) {
                Writer("ProgramItems")
                    .Set("ProgramID", p)
                    .Set("ItemID", id)
                    .Set("Qty", random_.Between(2, 10) * 12)
                    .Set("Amount", Cents(random_.Between(25.0, 150.0)));
                Put("ProgramItems");
            }
        }
    }

    std::string DayString(int pattern)
    {
        switch (pattern) {
        case 0:
            return "YYYYYYY";
        case 1:
            return "NYYYYYN";
        default: {
            std::string days = "NNNNNNN";
            days[static_cast<size_t>(random_.Between(1, 5))] = 'Y';
            if (random_.Chance(0.4))
                days[static_cast<size_t>(random_.Between(1, 5))] = 'Y';
            return days;
        }
        }
    }

    void Accounts()
    {
        int total = options_.scale ? 2000 : 120;
        for (int n = 0; n < total; ++n) {
            Account account{};
            account.id = 5001 + n;
            account.rep = n % 2 == 0 ? kRepA : kRepB;
            account.onPremise = random_.Chance(0.55);
            account.tier = random_.Between(0, 5);
            account.catalog = account.onPremise ? 20 : (random_.Chance(0.2) ? 30 : 10);
            // Some accounts are called on every day (every weekday for most), so any day's itinerary has
            // calls.
            int pattern = n % 20 < 2 ? 0 : n % 10 < 4 ? 1 : 2;
            std::string appt = DayString(pattern);
            std::string name = random_.Pick(kPlaceFirst);
            name += std::string(" ") + (account.onPremise ? random_.Pick(kOnPremise) : random_.Pick(kOffPremise));
            auto city = random_.Pick(kCities);
            std::string street = std::to_string(random_.Between(10, 9999));
            street += std::string(" ") + random_.Pick(kStreets);
            auto& w = Writer("Accounts");
            w.Set("AccountID", account.id)
                .Set("CompanyName", name)
                .Set("ContactName", Name())
                .Set("AltContactName", random_.Chance(0.5) ? Name() : "")
                .Set("Address1", street)
                .Set("Address2", random_.Chance(0.2) ? "Suite " + std::to_string(random_.Between(100, 400)) : "")
                .Set("City", city.first)
                .Set("State", city.second)
                .Set("Zip", "97" + random_.Digits(3))
                .Set("Phone", Phone())
                .Set("Fax", random_.Chance(0.5) ? Phone() : "")
                .Set("NoSplitCaseCharge", random_.Chance(0.3) ? 1 : 0)
                .Set("ApptDays", appt)
                .Set("DelivDays", random_.Pick({"NYNYNYN", "NNYNYNN", "NYYYYYN", "NYNNYNN"}))
                .Set("AccountNumber", "A" + Format("%05lld", 10000 + n))
                .Set("PricingTier", account.tier)
                .Set("DistRepID", std::stoi(account.rep))
                .Set("Email", "buyer" + std::to_string(account.id) + "@example.com")
                .Set("LiquorLicenseNumber", random_.Chance(0.05) ? "" : "OLCC-" + random_.Digits(6))
                .Set("Comment1", random_.Chance(0.3) ? "Prefers morning deliveries" : "")
                .Set("Comment2", random_.Chance(0.2) ? "Ask about the new by-the-glass list" : "")
                .Set("CatalogIDs", account.catalog == 10 ? "10" : std::to_string(account.catalog) + ",10")
                .Set("AcctStatus", random_.Between(0, 3))
                .Set("Updated", 0)
                .Set("CreditLimit", Cents(random_.Between(2000.0, 25000.0)))
                .Set("CreditTerms", random_.Pick({"COD", "Net 15", "Net 30"}))
                .Set("BillToCompany", name)
                .Set("BillToAddress1", "PO Box " + random_.Digits(4))
                .Set("BillToCity", city.first)
                .Set("BillToState", city.second)
                .Set("BillToZip", "97" + random_.Digits(3))
                .Set("CustomerType", account.onPremise ? 1 : 0)
                .Set("Warehouse", random_.Chance(0.7) ? 1 : 2)
                .Set("YTDSales", Cents(random_.Between(5000.0, 180000.0)))
                .Set("LYTDSales", Cents(random_.Between(5000.0, 160000.0)));
            if (random_.Chance(0.9))
                w.Set("LastVisitDate", DateText(today_ - random_.Between(1, 14)));
            for (int d = 0; d < 7; ++d) {
                std::string time =
                    appt[static_cast<size_t>(d)] == 'Y' ? Format("%04lld", 800 + 100 * random_.Between(0, 8)) : "";
                w.Set("ApptTime" + std::to_string(d + 1), time);
            }
            Put("Accounts", account.rep);
            AccountExtras(account);
            accounts_.push_back(account);
        }
    }

    void AccountExtras(const Account& a)
    {
        auto attribute = [&](const char* name, const std::string& value) {
            Writer("AccountAttributes").Set("AccountID", a.id).Set("AttributeName", name).Set("AttributeValue", value);
            Put("AccountAttributes", a.rep);
        };
        if (a.onPremise) {
            attribute("Seats", std::to_string(random_.Between(20, 220)));
            attribute("Wines by the glass", std::to_string(random_.Between(4, 40)));
        } else {
            attribute("Store size (sq ft)", std::to_string(random_.Between(800, 12000)));
            attribute("Cold box doors", std::to_string(random_.Between(2, 30)));
        }
        double ytd = Cents(random_.Between(5000.0, 150000.0));
        double quota = Cents(ytd * random_.Between(0.8, 1.3));
        auto& w = Writer("AccountSalesData");
        w.Set("AccountID", a.id)
            .Set("BalanceAmount", Cents(random_.Between(0.0, 4000.0)))
            .Set("MTDAmount", Cents(ytd / 12 * random_.Between(0.5, 1.2)))
            .Set("QTDAmount", Cents(ytd / 4 * random_.Between(0.5, 1.2)))
            .Set("YTDAmount", ytd)
            .Set("LYTDAmount", Cents(ytd * random_.Between(0.7, 1.2)))
            .Set("PastDueAmount", random_.Chance(0.2) ? Cents(random_.Between(50.0, 900.0)) : 0.0)
            .Set("BalanceQuota", Cents(quota / 12))
            .Set("MTDQuota", Cents(quota / 12))
            .Set("QTDQuota", Cents(quota / 4))
            .Set("YTDQuota", quota)
            .Set("LYTDQuota", Cents(quota * 0.95))
            .Set("PastDueQuota", 0.0);
        Put("AccountSalesData", a.rep);
    }

    double CasePrice(const Item& item, const Account& a) const
    {
        double factor = a.catalog == 20 && item.inCatalog20 ? 1.04 : a.catalog == 30 && item.inCatalog30 ? 0.97 : 1.0;
        return Cents(item.casePrice * factor * (1.0 - 0.02 * a.tier));
    }

    void Guides()
    {
        for (Account& a : accounts_) {
            Writer("WorkOrder").Set("AccountID", a.id).Set("WorkOrderID", a.id).Set("Updated", 0).Set("Active", 1);
            Put("WorkOrder", a.rep);
            int lines = random_.Between(15, 40);
            while (static_cast<int>(a.guide.size()) < lines) {
                size_t i = RandomItem(a.onPremise);
                if (std::find(a.guide.begin(), a.guide.end(), i) == a.guide.end())
                    a.guide.push_back(i);
            }
            int number = 1;
            for (size_t i : a.guide) {
                const Item& item = items_[i];
                double c = CasePrice(item, a);
                int lastQty = random_.Chance(0.7) ? random_.Between(1, 5) * item.qtyPerCase : 0;
                if (lastQty > 0)
                    lastQty += random_.Below(item.qtyPerCase);
                Writer("WorkOrderItems")
                    .Set("AccountID", a.id)
                    .Set("WorkOrderID", a.id)
                    .Set("ItemID", item.id)
                    .Set("catalogID", a.catalog)
                    .Set("CaseQTY", 0)
                    .Set("SingleQTY", 0)
                    .Set("CDistPrice", c)
                    .Set("SDistPrice", Cents(c / item.qtyPerCase * 1.1))
                    .Set("LastQty", lastQty)
                    .Set("OrderCount", random_.Between(0, 30))
                    .Set("LineItemNumber", number++)
                    .Set("SpecialFlag", "0")
                    .Set("DiscountAmount", "0")
                    .Set("PriceOverride", "0")
                    .Set("Par", random_.Chance(0.4) ? random_.Between(1, 4) * item.qtyPerCase : 0)
                    .Set("Inv", 0)
                    .Set("RetailPrice", Cents(c / item.qtyPerCase * 1.5))
                    .Set("Warehouse", 0)
                    .Set("Filter", random_.Chance(0.5)   ? 1
                                   : random_.Chance(0.3) ? 4
                                                         : 0)
                    .Set("LineComment", "")
                    .Set("HTDItemCount", random_.Between(0, 12))
                    .Set("Updated", 0);
                Put("WorkOrderItems", a.rep);
                Writer("ItemHistory")
                    .Set("AccountID", a.id)
                    .Set("ItemID", item.id)
                    .Set("YTDPurchaseQty", random_.Between(0, 40) * item.qtyPerCase)
                    .Set("OnOrderQty", random_.Chance(0.1) ? item.qtyPerCase : 0)
                    .Set("YTDOrderCount", random_.Between(0, 25))
                    .Set("LastOrderDate", DateText(today_ - random_.Between(1, 90)));
                Put("ItemHistory", a.rep);
            }
            for (size_t i : a.guide) {
                if (items_[i].kind == Kind::Wine && random_.Chance(0.03)) {
                    Writer("ApportionedItems")
                        .Set("AccountID", a.id)
                        .Set("ItemID", items_[i].id)
                        .Set("ApportionedQuantity", random_.Between(1, 6) * items_[i].qtyPerCase)
                        .Set("Premise", a.onPremise ? 1 : 2);
                    Put("ApportionedItems", a.rep);
                }
            }
        }
    }

    void History()
    {
        // About a year of invoiced orders, spread so the line count reaches the target.
        long target = options_.scale ? 300000 : 24000;
        double linesPerOrder = 5.5;
        double ordersPerAccount = target / linesPerOrder / static_cast<double>(accounts_.size());
        double interval = std::max(1.0, 365.0 / ordersPerAccount);
        long orderNumber = 700001;
        long lines = 0;
        for (const Account& a : accounts_) {
            // The first accounts of each representative also ordered today and yesterday, which the
            // program refreshes at every synchronisation.
            for (double t = 365.0 - random_.Between(0.0, interval); lines < target && t >= 0; t -= interval) {
                long day = today_ - static_cast<long>(t);
                if (a.id < 5005)
                    day = std::min(day, today_);
                Order(a, orderNumber++, day, lines);
            }
            if (a.id < 5005) {
                Order(a, orderNumber++, today_ - 1, lines);
                Order(a, orderNumber++, today_, lines);
            }
        }
        db_.Exec("update Accounts set LastOrder = (select max(TransDate) from OrderHistory o where o.AccountID = "
                 "Accounts.AccountID)");
    }

    void Order(const Account& a, long number, long day, long& lineCount)
    {
        int lines = random_.Between(3, 8);
        double total = 0;
        int hour = random_.Between(8, 17);
        std::string date = DateText(day, hour, random_.Between(0, 59), 0);
        bool invoiced = day < today_ - 1;
        for (int l = 1; l <= lines; ++l) {
            const Item& item = items_[a.guide[static_cast<size_t>(random_.Below(static_cast<int>(a.guide.size())))]];
            int cases = random_.Between(0, 5);
            int singles = cases == 0            ? random_.Between(1, std::max(1, item.qtyPerCase - 1))
                          : random_.Chance(0.2) ? random_.Between(1, std::max(1, item.qtyPerCase - 1))
                                                : 0;
            if (item.qtyPerCase == 1) {
                cases = std::max(cases, 1);
                singles = 0;
            }
            double c = CasePrice(item, a);
            double s = Cents(c / item.qtyPerCase * 1.1);
            double ext = Cents(cases * c + singles * s);
            total += ext;
            Writer("OrderHistoryItems")
                .Set("OrderNumber", static_cast<long long>(number))
                .Set("LineNumber", l)
                .Set("ItemID", item.id)
                .Set("DistributorSKU", item.sku)
                .Set("CQty", cases)
                .Set("SQty", singles)
                .Set("CQtyShipped", invoiced ? cases : 0)
                .Set("SQtyShipped", invoiced ? singles : 0)
                .Set("CPrice", c)
                .Set("SPrice", s)
                .Set("ExtPrice", ext)
                .Set("TransDate", date);
            Put("OrderHistoryItems", a.rep);
            ++lineCount;
        }
        Writer("OrderHistory")
            .Set("OrderNumber", static_cast<long long>(number))
            .Set("AccountID", a.id)
            .Set("DistInvoice", "INV" + std::to_string(number))
            .Set("TransDate", date)
            .Set("ActivateDate", date)
            .Set("TransmitDate", date)
            .Set("SiteID", invoiced ? 3 : 1)
            .Set("OrderTotal", Cents(total))
            .Set("OrderType", 0)
            .Set("DeliveryDate", DateText(day + random_.Between(1, 3)))
            .Set("DistRepID", std::stoi(a.rep))
            .Set("Status", invoiced ? "Invoiced" : "Open")
            .Set("PONumber", random_.Chance(0.3) ? "PO" + random_.Digits(5) : "");
        Put("OrderHistory", a.rep);
    }

    void OpenOrders()
    {
        int invoice = 880001;
        for (const Account& a : accounts_) {
            if (!random_.Chance(0.3))
                continue;
            int orders = random_.Between(1, 2);
            for (int o = 0; o < orders; ++o) {
                std::string number = "SO" + std::to_string(invoice++);
                bool backorder = random_.Chance(0.5);
                int lines = random_.Between(1, 4);
                double total = 0;
                for (int l = 1; l <= lines; ++l) {
                    const Item& item =
                        items_[a.guide[static_cast<size_t>(random_.Below(static_cast<int>(a.guide.size())))]];
                    bool inCases = random_.Chance(0.7);
                    int ordered = inCases ? random_.Between(1, 5) * item.qtyPerCase : random_.Between(1, 11);
                    int shipped = backorder ? ordered / 2 : 0;
                    double ext = Cents(CasePrice(item, a) / item.qtyPerCase * ordered);
                    total += ext;
                    Writer("OpenOrderItems")
                        .Set("AccountID", a.id)
                        .Set("InvoiceNumber", number)
                        .Set("LineNumber", l)
                        .Set("ItemID", item.id)
                        .Set("QtyOrdered", ordered)
                        .Set("CaseFlag", inCases ? 1 : 0)
                        .Set("ExtPrice", ext)
                        .Set("QtyShipped", shipped);
                    Put("OpenOrderItems", a.rep);
                }
                Writer("OpenOrders")
                    .Set("AccountID", a.id)
                    .Set("InvoiceNumber", number)
                    .Set("ItemCount", lines)
                    .Set("InvoiceTotal", Cents(total))
                    .Set("TSOrderType", backorder ? random_.Pick({"BO", "MO", "IN"}) : "SO")
                    .Set("InvoiceDate", DateText(today_ - random_.Between(1, 20)))
                    .Set("DeliveryDate", DateText(today_ + random_.Between(1, 10)))
                    .Set("PONumber", random_.Chance(0.3) ? "PO" + random_.Digits(5) : "");
                Put("OpenOrders", a.rep);
            }
        }
    }

    void Receivables()
    {
        long invoice = 450001;
        for (const Account& a : accounts_) {
            if (!random_.Chance(0.5))
                continue;
            int count = random_.Between(1, 4);
            double balance = 0;
            for (int i = 0; i < count; ++i) {
                long date = today_ - random_.Between(3, 75);
                double amount = Cents(random_.Between(80.0, 3500.0));
                bool partial = random_.Chance(0.2);
                double paid = partial ? Cents(amount * random_.Between(0.1, 0.6)) : 0.0;
                balance += amount - paid;
                Writer("AR")
                    .Set("AccountID", a.id)
                    .Set("InvoiceNo", "INV" + std::to_string(invoice++))
                    .Set("DistRepID", random_.Chance(0.9) ? std::stoi(a.rep) : 0)
                    .Set("InvoiceDate", DateText(date))
                    .Set("InvoiceDueDate", DateText(date + 30))
                    .Set("InvoiceAmount", amount)
                    .Set("AmountCollectedTotal", paid)
                    .Set("AmountCollectedToday", 0.0)
                    .Set("Collected", 0)
                    .Set("Updated", 0)
                    .Set("PaymentType", partial ? 1 : 0)
                    .Set("Comments", date + 30 < today_ ? "Past due" : "")
                    .Set("CheckNumber", partial ? random_.Digits(4) : "")
                    .Set("Deposited", 0)
                    .Set("DepAttrib1", "")
                    .Set("DepAttrib2", "")
                    .Set("PaymentStatus", partial ? 1 : 0)
                    .Set("LatestPaymentAmount", paid);
                if (partial)
                    Writer("AR").Set("LatestPaymentDate", DateText(date + random_.Between(1, 20)));
                Put("AR", a.rep);
            }
            db_.Prepare("update Accounts set BalanceDue = ?, LastPaymentDate = ? where AccountID = ?")
                .Bind(1, Cents(balance))
                .Bind(2, DateText(today_ - random_.Between(5, 40)))
                .Bind(3, a.id)
                .Run();
        }
    }

    void NotesAndMessages()
    {
        int note = 1;
        for (const Account& a : accounts_) {
            if (!random_.Chance(0.3))
                continue;
            int count = random_.Between(1, 3);
            for (int i = 0; i < count; ++i, ++note) {
                Writer("DistributorRepNotes")
                    .Set("DistRepID", note)
                    .Set("AccountID", a.id)
                    .Set("DateEntered",
                         DateText(today_ - random_.Between(1, 60), 8 + note % 9, note * 7 % 60, note * 13 % 60))
                    .Set("Comment",
                         random_.Pick({"Buyer wants samples of the new Rioja.", "Owner on vacation until next month.",
                                       "Discussed the patio program & keg pricing.",
                                       "Reset the cold box; needs more sparkling water.",
                                       "Asked for a by-the-glass proposal."}))
                    .Set("Updated", 0);
                Put("DistributorRepNotes", a.rep);
            }
        }
        int id = 1;
        for (const char* rep : {kRepA, kRepB}) {
            for (int m = 0; m < 10; ++m) {
                Writer("Messages")
                    .Set("MessageID", id++)
                    .Set("FromID", std::stoi(kManager))
                    .Set("FromStatus", 0)
                    .Set("FromName", "Pat Okafor")
                    .Set("ToID", std::stoi(rep))
                    .Set("ToStatus", m < 3 ? 0 : 1)
                    .Set("DateSent", DateText(today_ - m * 3, 7, 30, 0))
                    .Set("Subject", random_.Pick({"Price change next month", "New allocation: Napa Cabernet",
                                                  "Sales meeting Friday", "Keg returns", "Holiday schedule",
                                                  "Great work this week"}))
                    .Set("Message", "Please review before your next calls. Reply with questions & comments.")
                    .Set("Updated", 0);
                Put("Messages", rep);
            }
        }
    }

    void SurveysAndForms()
    {
        struct Question {
            int type;
            const char* text;
            const char* options;
        };
        struct Survey {
            const char* name;
            const char* description;
            int availability;
            int type;
            std::vector<Question> questions;
        };
        std::vector<Survey> surveys{
            {"Shelf Check",
             "Placement and pricing of our core items",
             0,
             0,
             {{2, "Are our core wines on the shelf?", "Yes|No"},
              {3, "Which displays are up?", "End cap|Floor stack|Cold box|Window"},
              {1, "Competitor activity", ""},
              {4, "Next reset date", ""}}},
            {"By the Glass Review",
             "Wines poured by the glass",
             0,
             0,
             {{1, "Current house red", ""},
              {2, "Interested in a keg wine program?", "Yes|No|Maybe"},
              {1, "Number of wines by the glass", ""}}},
            {"Holiday Readiness",
             "Stock and display plans for the holidays",
             0,
             0,
             {{3, "Planned features", "Sparkling|Dessert wine|Gift packs"}, {4, "Order deadline agreed", ""}}},
            {"Custom POS Request",
             "Point-of-sale material to be printed",
             0,
             1,
             {{1, "Headline", ""}, {1, "Price to show", ""}, {2, "Size", "Shelf talker|Poster|Table tent"}}},
        };
        int surveyId = 1;
        for (const Survey& s : surveys) {
            Writer("Surveys")
                .Set("SurveyID", surveyId)
                .Set("SurveyName", s.name)
                .Set("Description", s.description)
                .Set("Availability", s.availability)
                .Set("SurveyType", s.type);
            Put("Surveys");
            int q = 1;
            for (const Question& question : s.questions) {
                Writer("Questions")
                    .Set("SurveyID", surveyId)
                    .Set("QuestionID", q++)
                    .Set("QuestionType", question.type)
                    .Set("QuestionText", question.text)
                    .Set("Options", question.options)
                    .Set("Required", question.type == 2 ? 1 : 0)
                    .Set("AllowNotes", question.type == 1 ? 0 : 1);
                Put("Questions");
            }
            ++surveyId;
        }
        struct Form {
            const char* name;
            std::vector<const char*> questions;
        };
        std::vector<Form> forms{
            {"Account Profile", {"Primary buyer", "Best day to call", "Delivery instructions", "Dock hours"}},
            {"Credit Application", {"Bank reference", "Trade reference", "Years in business"}},
        };
        int formId = 1;
        for (const Form& f : forms) {
            Writer("Forms").Set("FormID", formId).Set("FormName", f.name);
            Put("Forms");
            int q = 1;
            for (const char* text : f.questions) {
                Writer("FormQuestions").Set("FormID", formId).Set("QuestionID", q++).Set("QuestionText", text);
                Put("FormQuestions");
            }
            ++formId;
        }
        for (const Account& a : accounts_) {
            if (!random_.Chance(0.1))
                continue;
            Writer("FormsFilled")
                .Set("FormID", 1)
                .Set("AccountID", a.id)
                .Set("Updated", 0)
                .Set("QuestionID", 1)
                .Set("Answer", Name());
            Put("FormsFilled", a.rep);
            Writer("FormsFilled")
                .Set("FormID", 1)
                .Set("AccountID", a.id)
                .Set("Updated", 0)
                .Set("QuestionID", 3)
                .Set("Answer", "Use the side door & ring twice");
            Put("FormsFilled", a.rep);
        }
    }

    void Users()
    {
        db_.Exec("delete from ServerUsers; delete from ServerManagedReps;");
        for (const DemoUser& u : kUsers) {
            std::string digest = digest_(u.password);
            db_.Prepare("insert into ServerUsers (UserID, Digest, Name, IsManager) values (?,?,?,?)")
                .Bind(1, u.id)
                .Bind(2, digest)
                .Bind(3, u.name)
                .Bind(4, u.manager ? 1 : 0)
                .Run();
            if (u.manager)
                continue;
            db_.Prepare("insert into ServerManagedReps (ManagerID, RepID) values (?,?)")
                .Bind(1, kManager)
                .Bind(2, u.id)
                .Run();
            Writer("ManagerReps").Set("RepID", std::stoi(u.id)).Set("RepName", u.name).Set("Password", digest);
            Put("ManagerReps", kManager);
        }
    }

    SqlDatabase& db_;
    const DemoOptions& options_;
    const DemoGenerator::DigestFn& digest_;
    DemoRandom random_;
    long today_;
    std::map<std::string, std::unique_ptr<TableWriter>> writers_;
    std::map<std::string, long long> counts_;
    std::vector<Category> leaves_;
    std::vector<Item> items_;
    std::vector<Account> accounts_;
    int nextCategory_ = 1;
    int nextItem_ = 1001;
    int depositCategory_ = 0;
};

} // namespace

const std::vector<DemoUser>& DemoUsers() { return kUsers; }

DemoGenerator::DemoGenerator(server::ServerStore& store, DemoOptions options, DigestFn digest)
    : store_(store), options_(std::move(options)), digest_(std::move(digest))
{
}

std::map<std::string, long long> DemoGenerator::Generate()
{
    std::lock_guard lock(store_.Mutex());
    SqlDatabase& db = store_.Db();
    server::SqlTransaction transaction(db);
    // Start from empty master tables so a second run gives the same data, not twice the data.
    std::vector<std::string> tables;
    auto list = db.Prepare("select m.name from sqlite_master m where m.type = 'table' and exists "
                           "(select 1 from pragma_table_info(m.name) where name = 'zev_stamp')");
    while (list.Step())
        tables.push_back(list.Text(0));
    for (const std::string& table : tables)
        db.Exec("delete from " + server::SqlIdent(table));
    std::map<std::string, long long> counts = Builder(db, options_, digest_).Run();
    transaction.Commit();
    return counts;
}

} // namespace zev::demo
