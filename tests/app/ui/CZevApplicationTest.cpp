#include "app/ui/CZevApplication.h"

#include "FakeMessageBox.h"

#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Throws from its event handler, the way a screen does when Tabula cannot
// open its connection.
class Failing final : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("The database file cannot be opened.");
        return QObject::event(e);
    }
};

// A box whose showing itself runs a failing handler: the second failure must
// not stack a second box over the first.
class ReentrantBox final : public zev::IMessageBox {
public:
    explicit ReentrantBox(QObject* target) : m_target(target) {}
    zev::MbResult Show(int, zev::Caption, zev::MbButtons, zev::MbIcon) override { return zev::MbResult::Ok; }
    zev::MbResult ShowText(const std::string&, zev::Caption, zev::MbButtons, zev::MbIcon) override
    {
        ++shown;
        QCoreApplication::postEvent(m_target, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        return zev::MbResult::Ok;
    }
    int shown = 0;

private:
    QObject* m_target;
};

// One application object per process: every case runs inside this one.
TEST(CZevApplicationTest, ExceptionsFromHandlersAreShownAndTheProgramGoesOn)
{
    int argc = 1;
    char name[] = "CZevApplicationTest";
    char* argv[] = {name, nullptr};
    CZevApplication app(argc, argv);

    // Without a message box the failure is logged and swallowed.
    Failing failing;
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(app.CaughtCount(), 1);

    // An event handler that throws: the text under the "Error!" caption.
    FakeMessageBox box;
    app.SetMessageBox(&box);
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    ASSERT_EQ(box.Boxes().size(), 1u);
    EXPECT_EQ(box.Boxes()[0].captionId, 65099);
    EXPECT_EQ(box.Boxes()[0].text, "The database file cannot be opened.");

    // A slot run from the event loop (a queued call, as the workers post
    // their results): the same boundary, and later events still run. (A
    // click's slot is caught the same way, but Qt's click handler leaks its
    // guard when unwound, which the leak checker would report.)
    QPushButton button;
    box.Clear();
    bool later = false;
    QMetaObject::invokeMethod(
        &button, [] { throw std::logic_error("No account is selected."); }, Qt::QueuedConnection);
    QEventLoop loop;
    QTimer::singleShot(100, &loop, [&] {
        later = true;
        loop.quit();
    });
    loop.exec();
    EXPECT_TRUE(later);
    ASSERT_FALSE(box.Boxes().empty());
    EXPECT_EQ(box.Boxes()[0].text, "No account is selected.");

    // Something thrown that is not a std::exception still gets a text.
    struct Odd {};
    box.Clear();
    QTimer::singleShot(0, &button, [] { throw Odd{}; });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(box.Boxes().size(), 1u);
    EXPECT_FALSE(box.Boxes()[0].text.empty());

    // A failure while the box is up is logged, not stacked.
    ReentrantBox reentrant(&failing);
    app.SetMessageBox(&reentrant);
    const int before = app.CaughtCount();
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(reentrant.shown, 1);
    EXPECT_EQ(app.CaughtCount(), before + 2);
}

} // namespace
