#pragma once

#include <string>
#include <utility>
#include <vector>

// What the demo distributor is made of: the kinds of goods, the records the
// builders share, and the word lists names are drawn from.
namespace zev::demo {

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

inline const std::vector<WineCountry> kWineCountries{
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

inline const std::vector<const char*> kProducerFirst{"Chateau", "Domaine", "Bodega", "Tenuta", "Clos",
                                                     "Casa",    "Weingut", "Quinta", "Vina",   "Estate"};
inline const std::vector<const char*> kProducerSecond{
    "Belmont",    "Saint Aubin", "Los Robles", "Ca' Rossa",    "Hartwell",  "Silver Creek", "Marchetti",
    "Del Sol",    "Oakridge",    "La Fleur",   "Three Rivers", "Stonegate", "Valmont",      "Blue Heron",
    "Alta Vista", "Fox Hollow",  "Greystone",  "Le Moulin",    "Red Mesa",  "Windward"};
inline const std::vector<const char*> kSpiritTypes{"Whiskey", "Bourbon", "Vodka",  "Gin",
                                                   "Rum",     "Tequila", "Brandy", "Liqueur"};
inline const std::vector<const char*> kSpiritBrands{"Old Harbor",    "Copper Still",  "North Star",
                                                    "Black Anchor",  "Agave Azul",    "Kings Reserve",
                                                    "Highland Mist", "Island Breeze", "Crown Ridge"};
inline const std::vector<const char*> kBeerStyles{"Lager", "IPA", "Stout", "Wheat", "Pilsner", "Pale Ale", "Sour"};
inline const std::vector<const char*> kBreweries{"Harbor Brewing", "Tall Pines", "Iron Horse", "Riverbend",
                                                 "Golden Gate",    "Rusty Nail", "Lakeside",   "Summit Peak"};
inline const std::vector<const char*> kWaterTypes{"Still", "Sparkling"};
inline const std::vector<const char*> kWaterBrands{"Clearspring", "Alpine Source", "Crystal Rock", "Aqua Vita"};

inline const std::vector<const char*> kPlaceFirst{
    "Copper", "Golden", "Blue",   "Silver", "Old Town", "Harbor",     "Main Street", "Riverside", "Green", "Red Oak",
    "Maple",  "Union",  "Corner", "Grand",  "Village",  "Lighthouse", "Sunset",      "Hilltop",   "Cedar", "Bay"};
inline const std::vector<const char*> kOnPremise{"Bistro",     "Tavern",       "Grill",     "Trattoria",
                                                 "Steakhouse", "Wine Bar",     "Brasserie", "Pub",
                                                 "Kitchen",    "Oyster House", "Hotel",     "Country Club"};
inline const std::vector<const char*> kOffPremise{"Liquors", "Wine & Spirits", "Market",  "Beverage Outlet",
                                                  "Grocery", "Bottle Shop",    "Cellars", "Food Mart"};
inline const std::vector<const char*> kFirstNames{"Alex",  "Jordan", "Sam",   "Taylor", "Morgan", "Casey",
                                                  "Jamie", "Riley",  "Chris", "Pat",    "Robin",  "Lee",
                                                  "Dana",  "Avery",  "Quinn", "Drew"};
inline const std::vector<const char*> kLastNames{"Smith",  "Garcia", "Chen",   "Johnson",  "Patel",
                                                 "Rossi",  "Nguyen", "Miller", "Kowalski", "Brown",
                                                 "Okafor", "Martin", "Silva",  "Keller",   "Dubois"};
inline const std::vector<const char*> kStreets{"Main St", "Harbor Blvd", "Oak Ave", "Market St",  "2nd St",   "Lake Dr",
                                               "Elm St",  "Broadway",    "Pine St", "Mission Rd", "Park Ave", "Bay Rd"};
inline const std::vector<std::pair<const char*, const char*>> kCities{
    {"Portland", "OR"}, {"Salem", "OR"},  {"Eugene", "OR"},  {"Bend", "OR"}, {"Vancouver", "WA"},
    {"Seattle", "WA"},  {"Tacoma", "WA"}, {"Olympia", "WA"}, {"Boise", "ID"}};

// Sizes: text, units per case, price factor against the kind's 750ml-equivalent price.
struct Size {
    const char* volume;
    int perCase;
    double factor;
};

} // namespace zev::demo
