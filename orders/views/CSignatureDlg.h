#pragma once

#include "orders/Signature.h"

#include <QDialog>

#include <vector>

namespace zev {
class IMessageBox;
}

// Takes the customer's signature with the mouse, a pen or a finger. Each
// captured point is (stroke start flag, x, y); the text is the logic's
// encoding, trimmed or taken again when it is too long to store.
class CSignatureDlg : public QDialog {
    Q_OBJECT
public:
    CSignatureDlg(zev::IMessageBox& box, QWidget* parent = nullptr);

    // The encoded signature once accepted (empty when nothing was drawn).
    const std::string& Encoded() const { return m_encoded; }
    const std::vector<zev::Signature::Point>& Points() const { return m_points; }
    void Clear();
    void AddPoint(int x, int y, bool strokeStart);
    void accept() override;

    // Draws an encoded signature into `rect` of a painter (for printing).
    static void Paint(class QPainter& painter, const QRect& rect, const std::string& encoded);
    static std::vector<zev::Signature::Point> Decode(const std::string& encoded);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    zev::IMessageBox& m_box;
    QWidget* m_pad;
    std::vector<zev::Signature::Point> m_points;
    std::string m_encoded;
};
