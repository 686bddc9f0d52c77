#pragma once

#include "accounts/AccountCreator.h"
#include "accounts/CurrentAccount.h"

#include <functional>

class QWidget;

namespace zev {

class IClock;

// What the account list needs beyond the frame: the current account the
// document keeps for every account screen, the price of a starter item and
// the dialogs other parts of the program own. Empty hooks leave their
// commands without effect (the menu entries are greyed).
struct AccountsViewContext {
    CurrentAccount& current;
    // Case price of an item in a catalogue; empty prices starter items at 0.
    AccountCreator::CasePrice casePrice;
    // The account editor for the current account; returns true when saved.
    std::function<bool(QWidget* parent)> editAccount;
    // The backorder dialog for the current account.
    std::function<void(QWidget* parent)> backorders;
    // Null uses the system clock.
    const IClock* clock = nullptr;
};

} // namespace zev
