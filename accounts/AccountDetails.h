#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace zev {

class IMessageBox;
class ZevConfig;

// One of the representative's dated notes on an account; `entered` (to the
// second) is also what deletes it.
struct AccountNote {
    std::time_t entered = 0;
    std::string comment;
};

// What the account details screen shows of the current account: the address
// and contacts in display case, the comments, the attributes and the notes,
// with adding and deleting of notes.
class AccountDetails {
public:
    static constexpr int kNoteMaxLength = 255;
    static constexpr int kNoteMinLength = 4;

    struct Switches {
        bool orderHistory = false; // byte 14
        bool editAccount = false;  // byte 13
        bool faxShown = false;     // byte 48
        bool attributes = false;   // byte 49
        bool forms = false;        // byte 50
        bool noteTime = false;     // byte 47: note dates carry hour and minute
        static Switches FromConfig(const ZevConfig& config);
    };

    // The labels' texts; empty while the account is not found.
    struct Labels {
        std::string companyName;
        std::string address1;
        std::string cityLine;
        std::string contact1;
        std::string contact2;
        std::string phone;
        std::string fax;
        std::string comment1; // trimmed; hidden when empty
        std::string comment2;
    };

    enum class NoteResult { Saved, Empty, Failed };

    AccountDetails(Switches switches, IMessageBox& messages, int poolKey = 0);

    // Reads the account, its notes (in stored order)
    // and, with the attributes switch, its attributes. False when the account
    // is not found (the labels stay empty).
    bool Load(int accountId);

    bool Found() const { return m_found; }
    int AccountId() const { return m_accountId; }
    const Labels& Texts() const { return m_labels; }
    const std::vector<AccountNote>& Notes() const { return m_notes; }
    // "Name: value" lines.
    const std::vector<std::string>& Attributes() const { return m_attributes; }
    const Switches& Settings() const { return m_switches; }

    // The save button's rule: enough characters typed (counted as characters,
    // not bytes, before trimming).
    static bool CanSaveNote(const std::string& typed);
    // "m/d/yyyy", or "m/d/yyyy h:m" with the time switch.
    std::string NoteDateText(std::time_t entered) const;

    // Adds the trimmed text as a note entered `now`, at the top of the list.
    // A blank text does nothing; a failure shows 65033 and changes nothing.
    NoteResult SaveNote(const std::string& typed, std::time_t now);
    // Marks the note entered at that second deleted and drops it from the list.
    bool DeleteNote(std::time_t entered);

    // The city line "%s, %s %s" in display case.
    static std::string CityLine(const std::string& city, const std::string& state, const std::string& zip);
    static std::string Display(std::string text);

private:
    Switches m_switches;
    IMessageBox& m_messages;
    int m_poolKey;
    bool m_found = false;
    int m_accountId = -1;
    Labels m_labels;
    std::vector<AccountNote> m_notes;
    std::vector<std::string> m_attributes;
};

} // namespace zev
