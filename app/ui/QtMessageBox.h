#pragma once

#include "app/core/MessageBox.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>

// Message boxes by string-table number, shown over `owner`. Safe to call from
// a worker thread: the box is then shown on the user-interface thread and the
// caller waits for the answer.
class QtMessageBox final : public zev::IMessageBox {
public:
    explicit QtMessageBox(QWidget* owner = nullptr) : m_owner(owner) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }

    // A further button on the box of text `textId`, shown while `offered`
    // says so: it answers as the box's first button would, then runs `action`
    // on the user-interface thread once the caller has had that answer. A
    // notice can so lead straight to where it points without changing what
    // the logic that raised it sees.
    void OfferAction(int textId, const QString& label, std::function<bool()> offered, std::function<void()> action);

    zev::MbResult Show(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon) override;
    zev::MbResult ShowText(const std::string& text, zev::Caption caption, zev::MbButtons buttons,
                           zev::MbIcon icon) override;
    zev::MbResult Ask(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                      zev::MbResult defaultButton) override;
    zev::MbResult AskText(const std::string& text, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                          zev::MbResult defaultButton) override;

private:
    struct OfferedAction {
        QString label;
        std::function<bool()> offered;
        std::function<void()> action;
    };

    zev::MbResult ShowOnGuiThread(const QString& text, const QString& caption, zev::MbButtons buttons, zev::MbIcon icon,
                                  zev::MbResult defaultButton, int textId = 0);

    QPointer<QWidget> m_owner;
    std::map<int, OfferedAction> m_actions;
};
