#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace zev {

class IMessageBox;

// The content of the account list's two printouts; the view lays it out.
class ItineraryReport {
public:
    struct ItineraryRow {
        std::string company;
        std::string accountNumber;
        std::string cityState; // "City, ST"
        std::string contact;
        std::string phone;
    };

    struct Itinerary {
        std::string heading; // the weekday's name
        std::vector<ItineraryRow> rows;
    };

    struct AccomplishmentRow {
        std::string accountNumber;
        std::string company;
        double amount = 0.0;
    };

    struct Accomplishments {
        std::vector<AccomplishmentRow> rows;
        double total = 0.0;
        // "Total - $%7.2f"
        std::string TotalLine() const;
    };

    explicit ItineraryReport(int poolKey = 0);

    // The accounts scheduled (ApptDays only, no callbacks) on the weekday of
    // the day button; no rows for "All".
    Itinerary BuildItinerary(int dayButton) const;

    // Today's orders: the ready orders created today (information orders left
    // out) and the order history of today, each with its account.
    Accomplishments BuildAccomplishments(std::time_t now) const;

    // The name a printout is saved under, without extension: "Itinerary
    // Wednesday 2026-03-04" (the weekday printed, today's date) or
    // "Accomplishments 2026-03-04". `dayIndex` 0 (Sunday) ... 6.
    static std::string FileTitle(bool itinerary, int dayIndex, std::time_t now);

    // Tells "You have nothing to be printed." for an empty report; true when
    // there is something to print.
    static bool CheckPrintable(bool empty, IMessageBox& messages);

private:
    int m_poolKey;
};

} // namespace zev
