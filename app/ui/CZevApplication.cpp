#include "app/ui/CZevApplication.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"

#include <QtDebug>

#include <exception>

CZevApplication::CZevApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool CZevApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Report(e.what(), receiver);
    } catch (...) {
        Report("an unknown error", receiver);
    }
    // The event counts as handled: handing it on would run the failing
    // handler a second time.
    return true;
}

void CZevApplication::Report(const std::string& what, const QObject* receiver)
{
    ++m_caught;
    qCritical("ZevSatchel: %s (while %s handled an event)", what.c_str(),
              receiver ? receiver->metaObject()->className() : "the program");
    if (!m_messages || m_reporting)
        return;
    m_reporting = true;
    const std::string text = what.empty() ? std::string("The operation failed.") : what;
    (void)m_messages->ShowText(text, zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
    m_reporting = false;
}
