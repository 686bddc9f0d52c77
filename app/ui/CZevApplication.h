#pragma once

#include <QApplication>

#include <string>

namespace zev {
class IMessageBox;
} // namespace zev

// The program's application object. Qt cannot carry an exception through its
// event loop: one escaping a slot or an event handler (Tabula throws when a
// connection cannot be opened) would end the program without a word. Every
// event is delivered inside a boundary that logs the exception and shows its
// text under the "Error!" caption; the program goes on with the next event.
class CZevApplication final : public QApplication {
    Q_OBJECT
public:
    CZevApplication(int& argc, char** argv);

    // Where the boundary shows what it caught; not owned. Without one the
    // exception is only logged.
    void SetMessageBox(zev::IMessageBox* messages) { m_messages = messages; }

    bool notify(QObject* receiver, QEvent* event) override;

    // How many exceptions the boundary has caught (for the log and tests).
    int CaughtCount() const { return m_caught; }

private:
    void Report(const std::string& what, const QObject* receiver);

    zev::IMessageBox* m_messages = nullptr;
    int m_caught = 0;
    bool m_reporting = false; // a second failure while the box is up is only logged
};
