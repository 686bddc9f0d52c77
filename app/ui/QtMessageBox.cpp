#include "app/ui/QtMessageBox.h"

#include "app/core/StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

namespace {

QMessageBox::StandardButtons ButtonsOf(zev::MbButtons buttons)
{
    switch (buttons) {
    case zev::MbButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case zev::MbButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case zev::MbButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case zev::MbButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case zev::MbButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(zev::MbIcon icon)
{
    switch (icon) {
    case zev::MbIcon::Information:
        return QMessageBox::Information;
    case zev::MbIcon::Warning:
        return QMessageBox::Warning;
    case zev::MbIcon::Question:
        return QMessageBox::Question;
    case zev::MbIcon::Stop:
        return QMessageBox::Critical;
    case zev::MbIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(zev::MbResult result)
{
    switch (result) {
    case zev::MbResult::Cancel:
        return QMessageBox::Cancel;
    case zev::MbResult::Retry:
        return QMessageBox::Retry;
    case zev::MbResult::Yes:
        return QMessageBox::Yes;
    case zev::MbResult::No:
        return QMessageBox::No;
    case zev::MbResult::Ok:
        break;
    }
    return QMessageBox::Ok;
}

zev::MbResult ResultOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return zev::MbResult::Cancel;
    case QMessageBox::Retry:
        return zev::MbResult::Retry;
    case QMessageBox::Yes:
        return zev::MbResult::Yes;
    case QMessageBox::No:
        return zev::MbResult::No;
    default:
        return zev::MbResult::Ok;
    }
}

} // namespace

zev::MbResult QtMessageBox::Show(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon)
{
    return Ask(textId, caption, buttons, icon, zev::FirstButton(buttons));
}

zev::MbResult QtMessageBox::ShowText(const std::string& text, zev::Caption caption, zev::MbButtons buttons,
                                     zev::MbIcon icon)
{
    return AskText(text, caption, buttons, icon, zev::FirstButton(buttons));
}

zev::MbResult QtMessageBox::Ask(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                                zev::MbResult defaultButton)
{
    return ShowOnGuiThread(QString::fromStdString(zev::LoadText(textId)),
                           QString::fromStdString(zev::LoadText(zev::CaptionNumber(caption))), buttons, icon,
                           defaultButton, textId);
}

zev::MbResult QtMessageBox::AskText(const std::string& text, zev::Caption caption, zev::MbButtons buttons,
                                    zev::MbIcon icon, zev::MbResult defaultButton)
{
    return ShowOnGuiThread(QString::fromStdString(text),
                           QString::fromStdString(zev::LoadText(zev::CaptionNumber(caption))), buttons, icon,
                           defaultButton);
}

void QtMessageBox::OfferAction(int textId, const QString& label, std::function<bool()> offered,
                               std::function<void()> action)
{
    m_actions[textId] = OfferedAction{label, std::move(offered), std::move(action)};
}

zev::MbResult QtMessageBox::ShowOnGuiThread(const QString& text, const QString& caption, zev::MbButtons buttons,
                                            zev::MbIcon icon, zev::MbResult defaultButton, int textId)
{
    if (!zev::Offers(buttons, defaultButton))
        defaultButton = zev::FirstButton(buttons);
    auto show = [&]() -> zev::MbResult {
        QMessageBox box(IconOf(icon), caption, text, ButtonsOf(buttons), m_owner);
        box.setDefaultButton(ButtonOf(defaultButton));
        // Escape answers Cancel where there is one, otherwise No: never the destructive Yes.
        if (buttons == zev::MbButtons::YesNo)
            box.setEscapeButton(QMessageBox::No);
        QPushButton* extra = nullptr;
        const auto offer = textId != 0 ? m_actions.find(textId) : m_actions.end();
        if (offer != m_actions.end() && (!offer->second.offered || offer->second.offered())) {
            extra = box.addButton(offer->second.label, QMessageBox::AcceptRole);
            extra->setAccessibleName(QString(offer->second.label).remove(QLatin1Char('&')));
            // The plain answer stays the default and the one Escape gives.
            box.setDefaultButton(ButtonOf(defaultButton));
            if (buttons == zev::MbButtons::Ok)
                box.setEscapeButton(QMessageBox::Ok);
        }
        const int answer = box.exec();
        if (extra && box.clickedButton() == extra) {
            QMetaObject::invokeMethod(qApp, std::function<void()>(offer->second.action), Qt::QueuedConnection);
            return zev::FirstButton(buttons);
        }
        return ResultOf(answer);
    };
    if (QThread::currentThread() == qApp->thread())
        return show();
    zev::MbResult result = zev::MbResult::Cancel;
    QMetaObject::invokeMethod(
        qApp, [&] { result = show(); }, Qt::BlockingQueuedConnection);
    return result;
}
