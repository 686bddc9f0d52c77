#pragma once

#include "app/core/MessageBox.h"

#include <QPointer>
#include <QWidget>

// Message boxes by string-table number, shown over `owner`. Safe to call from
// a worker thread: the box is then shown on the user-interface thread and the
// caller waits for the answer.
class QtMessageBox final : public zev::IMessageBox {
public:
    explicit QtMessageBox(QWidget* owner = nullptr) : m_owner(owner) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }

    zev::MbResult Show(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon) override;
    zev::MbResult ShowText(const std::string& text, zev::Caption caption, zev::MbButtons buttons,
                           zev::MbIcon icon) override;
    zev::MbResult Ask(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                      zev::MbResult defaultButton) override;
    zev::MbResult AskText(const std::string& text, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                          zev::MbResult defaultButton) override;

private:
    zev::MbResult ShowOnGuiThread(const QString& text, const QString& caption, zev::MbButtons buttons, zev::MbIcon icon,
                                  zev::MbResult defaultButton);

    QPointer<QWidget> m_owner;
};
