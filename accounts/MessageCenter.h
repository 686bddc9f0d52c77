#pragma once

#include <string>
#include <vector>

namespace zev {

// One message of the representative's inbox.
struct MessageItem {
    int messageId = 0;
    int fromId = 0;     // the sender; a reply goes to it
    int fromStatus = 0; // kept with the row
    std::string senderName;
    int toId = 0;   // the representative; a reply comes from it
    int status = 0; // 0 new, 1 read, 2 replied, 9 deleted
    std::string subject;
    std::string text;
};

// The message center's data: the inbox, reading, replying and deleting.
// Every change is one transaction and marks the message for upload.
class MessageCenter {
public:
    explicit MessageCenter(int poolKey = 0);

    // "N", "R", "<", "D" for the statuses 0, 1, 2, 9; "" otherwise.
    static std::string StatusLetter(int status);

    // The messages of the recipient that are not deleted and have an id.
    bool LoadInbox(int userId, std::vector<MessageItem>& items) const;

    // A new message becomes read; a read or replied one stays as it is.
    [[nodiscard]] bool MarkRead(MessageItem& item) const;
    // A read or replied message becomes deleted.
    [[nodiscard]] bool Delete(MessageItem& item) const;
    // Stores the reply addressed to the message's sender ("RE: " and its
    // subject) and marks a read message replied, together.
    [[nodiscard]] bool Reply(MessageItem& item, const std::string& text) const;

private:
    int m_poolKey;
};

// The quick replies of the message center, kept in "replies.txt" in the
// user's data folder. A missing file is seeded from the distributor's file of
// the same name in the installation folder, else with four default lines.
class QuickReplies {
public:
    QuickReplies(std::string dataDir, std::string programDir);

    // Reads the replies, creating the file first when it is missing; the
    // list holds the defaults even when the file cannot be written.
    void Load();
    const std::vector<std::string>& Items() const { return m_items; }
    bool Contains(const std::string& text) const;
    // Adds a reply that is not yet one (appended to the file as one line);
    // false when nothing was stored. Text with a line break stays out.
    bool Add(const std::string& text);
    std::string Path() const;

private:
    std::string m_dataDir;
    std::string m_programDir;
    std::vector<std::string> m_items;
};

} // namespace zev
