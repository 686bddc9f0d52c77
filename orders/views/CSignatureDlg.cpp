#include "orders/views/CSignatureDlg.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"

#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTouchEvent>
#include <QVBoxLayout>

#include <cstdio>

namespace {

// The pad shows what has been drawn so far.
class SignaturePad : public QWidget {
public:
    SignaturePad(const std::vector<zev::Signature::Point>& points, QWidget* parent) : QWidget(parent), m_points(points)
    {
        setMinimumSize(420, 160);
        setAttribute(Qt::WA_AcceptTouchEvents);
        setAccessibleName(QObject::tr("Signature pad"));
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QPen(Qt::black, 2));
        for (std::size_t i = 1; i < m_points.size(); ++i)
            if (m_points[i].a == 0)
                p.drawLine(m_points[i - 1].b, m_points[i - 1].c, m_points[i].b, m_points[i].c);
    }

private:
    const std::vector<zev::Signature::Point>& m_points;
};

} // namespace

CSignatureDlg::CSignatureDlg(zev::IMessageBox& box, QWidget* parent) : QDialog(parent), m_box(box)
{
    setWindowTitle(tr("Signature"));
    m_pad = new SignaturePad(m_points, this);
    m_pad->installEventFilter(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* clear = buttons->addButton(tr("C&lear"), QDialogButtonBox::ResetRole);
    connect(clear, &QPushButton::clicked, this, &CSignatureDlg::Clear);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSignatureDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSignatureDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pad, 1);
    layout->addWidget(buttons);
}

void CSignatureDlg::Clear()
{
    m_points.clear();
    m_encoded.clear();
    m_pad->update();
}

void CSignatureDlg::AddPoint(int x, int y, bool strokeStart)
{
    m_points.push_back({strokeStart ? 1 : 0, x, y});
    m_pad->update();
}

bool CSignatureDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pad) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (event->type() == QEvent::MouseMove && !(mouse->buttons() & Qt::LeftButton))
                break;
            const QPoint at = mouse->position().toPoint();
            AddPoint(at.x(), at.y(), event->type() == QEvent::MouseButtonPress);
            return true;
        }
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate: {
            auto* touch = static_cast<QTouchEvent*>(event);
            if (!touch->points().isEmpty()) {
                const QPoint at = touch->points().first().position().toPoint();
                AddPoint(at.x(), at.y(), event->type() == QEvent::TouchBegin);
            }
            event->accept();
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CSignatureDlg::accept()
{
    std::string encoded = zev::Signature::Encode(m_points);
    if (zev::Signature::TooLong(encoded)) {
        if (m_box.ShowText("The signature data is larger than can be stored by the system. It can be trimmed to fit "
                           "or can be entered again.\n\n Do you want to enter it again",
                           zev::ids::kCaptionQuestion, zev::MbButtons::YesNo,
                           zev::MbIcon::Stop) == zev::MbResult::Yes) {
            Clear();
            return;
        }
        encoded = zev::Signature::Trim(encoded);
    }
    m_encoded = std::move(encoded);
    QDialog::accept();
}

std::vector<zev::Signature::Point> CSignatureDlg::Decode(const std::string& encoded)
{
    return zev::Signature::Decode(encoded);
}

void CSignatureDlg::Paint(QPainter& painter, const QRect& rect, const std::string& encoded)
{
    const std::vector<zev::Signature::Point> points = Decode(encoded);
    if (points.empty())
        return;
    int maxX = 1, maxY = 1;
    for (const auto& p : points) {
        maxX = std::max(maxX, p.b);
        maxY = std::max(maxY, p.c);
    }
    const double scale = std::min(rect.width() / double(maxX), rect.height() / double(maxY));
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].a == 0)
            painter.drawLine(QPointF(rect.left() + points[i - 1].b * scale, rect.top() + points[i - 1].c * scale),
                             QPointF(rect.left() + points[i].b * scale, rect.top() + points[i].c * scale));
    painter.restore();
}
