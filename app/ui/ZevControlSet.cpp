#include "app/ui/ZevControlSet.h"

#include "app/core/IniReader.h"
#include "app/core/TextHelpers.h"
#include "app/ui/ZevAccessibility.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace zev {

namespace {

bool RemoveFromLayout(QLayout* layout, QWidget* control)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == control) {
            layout->removeWidget(control);
            return true;
        }
        if (item->layout() && RemoveFromLayout(item->layout(), control))
            return true;
    }
    return false;
}

// Takes the control out of the Qt layout that manages it so a fixed geometry
// sticks, and makes it a direct child of the window: records give positions
// relative to the window, even for controls drawn inside a group box.
void DetachFromLayout(QWidget* control, QWidget* owner)
{
    if (QWidget* parent = control->parentWidget(); parent && parent->layout())
        RemoveFromLayout(parent->layout(), control);
    if (control->parentWidget() != owner) {
        const bool wasHidden = control->isHidden();
        control->setParent(owner);
        control->setVisible(!wasHidden);
    }
}

// Access keys already used by the other buttons and buddied labels of the window.
std::string KeysTakenBesides(QWidget* control)
{
    std::string taken;
    QWidget* window = control->window();
    auto note = [&](QWidget* other, const QString& text) {
        if (other == control)
            return;
        if (const char key = AccessKeyOf(text.toStdString()))
            taken += key;
    };
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        note(button, button->text());
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy())
            note(label, label->text());
    return taken;
}

// A text given for a control that had an access key gets one too, so the
// control stays reachable from the keyboard.
QString KeepAccessKey(QWidget* control, const QString& oldText, const QString& text)
{
    if (AccessKeyOf(oldText.toStdString()) == 0)
        return text;
    return QString::fromStdString(WithAccessKey(text.toStdString(), KeysTakenBesides(control)));
}

// Layout names pair a caption with its field: "LBL_USERID" labels
// "EDT_USERID", and likewise for lists, spin, combo and check boxes.
constexpr const char* kFieldPrefixes[] = {"EDT_", "LST_", "SPN_", "CMB_", "CBO_", "CHK_", "DTP_"};

} // namespace

ZevControlSet::ZevControlSet(QWidget* owner) : m_owner(owner) {}

void ZevControlSet::AddControl(int id, const QString& name, QWidget* control)
{
    m_names.push_back(name);
    m_ids.push_back(id);
    m_controls.emplace_back(control);
}

void ZevControlSet::PairCaptions() const
{
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(m_controls[i].data());
        if (!label || label->buddy() || !m_names[i].startsWith(QLatin1String("LBL_")))
            continue;
        const QString suffix = m_names[i].mid(4);
        for (const char* prefix : kFieldPrefixes) {
            QWidget* field = Control(QLatin1String(prefix) + suffix);
            if (field && field->focusPolicy() != Qt::NoFocus && !ZevAccessibility::BuddyLabelOf(field)) {
                label->setBuddy(field);
                break;
            }
        }
    }
}

int ZevControlSet::LayOut(const std::string& section, const std::string& path) const
{
    // Captions are found while the fields still sit in their Qt layouts; a
    // record may take them out.
    PairCaptions();
    if (m_owner)
        ZevAccessibility::NameFields(m_owner);
    int moved = 0;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        QWidget* control = m_controls[i];
        if (!control)
            continue;
        LayoutRecord record;
        if (!ParseLayoutRecord(ReadLayoutValue(section, m_names[i].toStdString(), path), record))
            continue;
        DetachFromLayout(control, m_owner);
        control->setGeometry(record.x, record.y, record.width, record.height);
        if (record.hasLabel && !record.label.empty())
            SetControlText(control, QString::fromStdString(record.label));
        control->setVisible(record.visible);
        control->update();
        ++moved;
    }
    // A field moved away from its label's parent keeps the label's caption.
    if (moved > 0 && m_owner)
        ZevAccessibility::NameFields(m_owner);
    return moved;
}

QWidget* ZevControlSet::Control(const QString& name) const
{
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i] == name)
            return m_controls[i];
    return nullptr;
}

int ZevControlSet::Id(const QString& name) const
{
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i] == name)
            return m_ids[i];
    return 0;
}

static void SetShownText(QWidget* control, const QString& text);

void SetControlText(QWidget* control, const QString& text)
{
    // Only captions name a control; an edit box's text is its value.
    bool caption = true;
    QString oldText;
    if (auto* label = qobject_cast<QLabel*>(control))
        oldText = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        oldText = button->text();
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        oldText = group->title();
    else
        caption = false;
    SetShownText(control, text);
    if (caption)
        ZevAccessibility::FollowCaption(control, oldText, text);
}

// The visible text alone.
static void SetShownText(QWidget* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(label->buddy() ? KeepAccessKey(label, label->text(), text) : text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(KeepAccessKey(button, button->text(), text));
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(control))
        rich->setPlainText(text);
    else
        control->setWindowTitle(text);
}

} // namespace zev
