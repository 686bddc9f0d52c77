#pragma once

#include "accounts/ItineraryReport.h"

#include <QString>

class QPrinter;
class QTextDocument;

namespace zev {
class IMessageBox;
}

// Lays out the account list's two printouts as rich text and puts them on a
// printer (or into a PDF file) page by page.
class CItineraryPrinter {
public:
    static QString ItineraryHtml(const zev::ItineraryReport::Itinerary& itinerary);
    static QString AccomplishmentsHtml(const zev::ItineraryReport::Accomplishments& accomplishments);

    // Prints the document; tells the user and returns false when the printer
    // cannot be reached, will not start or refuses a page.
    static bool Print(QTextDocument& document, QPrinter& printer, zev::IMessageBox& messages);
};
