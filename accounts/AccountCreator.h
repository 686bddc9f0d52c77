#pragma once

#include "tables/Accounts.h"

#include <functional>

namespace zev {

class IMessageBox;

// Creates an account here, with a starter order guide: guide 3 holding the
// first 50 items of the catalogue, priced for catalogue 10.
class AccountCreator {
public:
    // The case price of an item in a catalogue; 0 when there is none.
    using CasePrice = std::function<double(int itemId, int catalog)>;

    static constexpr int kStarterItems = 50;
    static constexpr int kGuideNumber = 3;
    static constexpr int kCatalog = 10;

    AccountCreator(IMessageBox& messages, CasePrice casePrice, int poolKey = 0);

    // Returns the new account id, or 0 when nothing was created (a blank
    // company name) or the account could not be made. Failures after the
    // account exists are told but still return its id.
    int Create(const NewAccountRecord& record);

private:
    IMessageBox& m_messages;
    CasePrice m_casePrice;
    int m_poolKey;
};

} // namespace zev
